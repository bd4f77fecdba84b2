#pragma once
// What the tool sets up before its window exists: name and version, a fixed
// widget style, the window's faces and Qt's own texts in Italian. Shared by
// main() and the GUI tests so that both run the same window.

class QApplication;

namespace angoli {

void SetUpApplication(QApplication& app);

}  // namespace angoli
