// Qt's own texts (file dialogs, standard buttons) in Japanese, like the rest
// of the window, whatever the user's locale.
#pragma once

class QCoreApplication;

namespace tess {

/// Installs Qt's Japanese translations when they are installed (Debian's
/// qt6-translations-l10n); without them Qt keeps its English texts. Returns
/// whether they were found.
bool InstallJapaneseQtTranslations(QCoreApplication& app);

}  // namespace tess
