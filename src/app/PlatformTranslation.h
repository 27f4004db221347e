#pragma once

class QCoreApplication;
class QTranslator;

namespace qx::app {

/// Loads Qt's own Japanese texts (message-box buttons, file dialogs, window menus) into
/// `application` through `translator`, which must outlive it: the editor speaks Japanese whatever
/// the desktop's language. Returns false when the translation is not installed; Qt's English texts
/// then stay.
bool installPlatformTranslation(QCoreApplication& application, QTranslator& translator);

} // namespace qx::app
