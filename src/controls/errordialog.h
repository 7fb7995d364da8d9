// Shows the standard error report in a message box.
#pragma once

class QWidget;

namespace errordialog {

// Installs the message-box handler of the error report; a fatal report ends
// the program once the box is closed.
void install();

} // namespace errordialog
