#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

// Qt's own translations for a locale (the words of its message boxes and file dialogs), read from
// where Qt keeps them and installed in the application while this object lives, so those dialogs
// speak the language of the window around them.
class QtTranslations {
  public:
    explicit QtTranslations(const QLocale& locale);
    // False when Qt has no translation for the locale (or it is not installed).
    bool Loaded() const { return !translators_.empty(); }

  private:
    std::vector<std::unique_ptr<QTranslator>> translators_;
};
