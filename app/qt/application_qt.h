#pragma once

class QApplication;

namespace brelvik {

// Before the first window of either program: Brelvik's icon on every window, and Qt's own
// translations for the user's language, so that file dialogs and message-box buttons speak it.
void Set_up_application(QApplication& application);

}  // namespace brelvik
