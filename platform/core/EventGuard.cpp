#include "platform/core/EventGuard.h"

#include "platform/core/MessageBox.h"

namespace platform {

void ShowException(const std::exception &error) { ShowMessageBox(error.what(), "", MB_OK | MB_ICONERROR); }

void ShowUnknownException() { ShowMessageBox("予期しないエラーが発生しました。", "", MB_OK | MB_ICONERROR); }

} // namespace platform
