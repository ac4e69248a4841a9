// Qt's own texts in Chinese: the buttons of the message boxes, the labels,
// buttons and messages of the file dialogs, their dates. The whole interface
// is Chinese, so this holds whatever the process locale is.
#pragma once

namespace ui {

// Installs Qt's Chinese (PRC) translation, built into the program, and makes
// Chinese (PRC) the default locale. Called once at start-up, after the
// application object exists, and by the tests. False when the translation
// could not be installed; Qt's texts then stay English.
bool installChineseQtTexts();

}  // namespace ui
