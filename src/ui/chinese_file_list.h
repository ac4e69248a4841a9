// The file list of Qt's own file dialog in Chinese. Qt formats its sizes and
// dates by the process locale (English under C or en_US) and names its types
// with texts its Chinese translation lacks ("Folder", "pdf File"); this list
// shows them in the interface's Chinese ("144 字节", "2026/12/7 09:26",
// "文件夹", "pdf 文件"), with the size column wide enough for its sizes.
#pragma once

class QFileDialog;

namespace ui {

// Puts the Chinese list into a dialog that uses Qt's own widgets; a system
// dialog (Windows') keeps its own list.
void showChineseFileList(QFileDialog& dialog);

}  // namespace ui
