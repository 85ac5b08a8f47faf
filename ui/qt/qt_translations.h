// Qt's own dialogs (file, colour, font, the overwrite question) in Japanese,
// like the rest of the program, whatever the system's locale.
#pragma once

class QCoreApplication;

namespace zelk {

// Loads Qt's Japanese translations where the system has them installed
// (qtbase_ja.qm); false, and English dialogs, when it has not.
bool installQtTranslations(QCoreApplication& app);

}  // namespace zelk
