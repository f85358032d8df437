#pragma once
// Qt's own texts (standard buttons, the file dialog) in Japanese, as the rest
// of the program speaks, whatever the user's locale.
class QCoreApplication;

namespace platform {

// Installs Qt's Japanese translation on the application; false when the
// translation files are not installed (Qt's texts then stay English).
bool InstallJapaneseQtTranslation(QCoreApplication &application);

} // namespace platform
