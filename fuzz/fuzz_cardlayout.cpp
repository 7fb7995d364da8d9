// The card's arithmetic over any sizes, and the card text over any text.
#include "fuzzinput.h"
#include "infocard/cardlayout.h"
#include "infocard/cardtext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const cardlayout::Rect picture{in.take<double>(), in.take<double>(), in.take<double>(), in.take<double>()};
    const cardlayout::Rect card = cardlayout::cardRect(picture);
    const cardlayout::Rect text = cardlayout::textRect(card.width, card.height);
    (void)cardlayout::noticePosition(text);
    const double height = cardlayout::pictureHeight(card.height);
    const double width = cardlayout::pictureWidth(in.take<double>(), in.take<double>(), height);
    (void)cardlayout::picturePosition(card.width, width, text.top);
    (void)cardlayout::flagPosition(card.width, card.height, in.take<double>(), in.take<double>());

    const QString body = QString::fromUtf8(reinterpret_cast<const char *>(in.rest()), qsizetype(in.left()));
    const QString shown = cardtext::bounded(body);
    if (body.size() <= cardtext::kMaxCharacters)
        FUZZ_CHECK(QString(shown).remove(QChar(0x200B)) == QString(body).remove(QChar(0x200B)));
    else
        FUZZ_CHECK(shown.endsWith(cardtext::cutMark()));
    return 0;
}
