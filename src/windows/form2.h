// The test-finished dialog: another test, or the end of the program. It
// places itself over the main window's bottom-left corner.
#pragma once

#include <QDialog>
#include <array>

class Form1;
class QLabel;
class QPushButton;

class Form2 : public QDialog {
    Q_OBJECT
public:
    enum class Ending { None, AnotherTest, EndProgram };

    explicit Form2(Form1 &owner);

    void Form_Load();
    void Command1_Click(int Index);
    Ending ending() const { return chosen; }

    QLabel *Label2 = nullptr;
    std::array<QPushButton *, 2> Command1{};

private:
    Form1 &form1;
    Ending chosen = Ending::None;
};
