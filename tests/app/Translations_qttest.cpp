// The window and --help in German and French: captions, headers, a message and the usage.
#include "app/Translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <cerrno>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/TaskGridView.h"
#include "document/Errors.h"
#include "document/LineMerge.h"
#include "document/SafeFile.h"
#include "support/FakePlatform.h"
#include "support/QtApp.h"
#include "support/TempFiles.h"
#include "support/Widgets.h"

namespace taskwell {
namespace {

struct Language {
  const char* Locale;
  const char* Add;
  const char* Close;
  const char* CloseNoSave;
  const char* SortOrder;
  const char* Header;
  const char* ErrorCaption;
  const char* Message;
  const char* UsageStart;
};

const Language kLanguages[] = {
    {"de_DE", "&Neu", "&Ende", "Ende ohne Sichern", "Sortiert nach Datum", "Datum ",
     "Fehler beim Weiterschalten", "Kein Datum zum Weiterschalten", "Aufruf: taskwell"},
    {"fr_FR", "&Ajouter", "&Fermer", "Abandonner", "Trié par date", "Date ", "Erreur de report",
     "Aucune date à reporter", "Utilisation : taskwell"},
};

QString Caption(const QWidget& window, const char* name) {
  return testing::Child<QPushButton>(window, name)->text();
}

// Every caption of the button panel's visible buttons is whole inside its button, and no two
// visible controls overlap.
void ExpectCaptionsFit(const QWidget& window) {
  const auto* panel = testing::Child<QWidget>(window, "ButtonPanel");
  const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* control : controls) {
    const auto* button = qobject_cast<const QPushButton*>(control);
    if (button != nullptr && button->isVisibleTo(panel)) {
      QString text = button->text();
      text.remove(u'&');
      EXPECT_LE(button->fontMetrics().horizontalAdvance(text) + 4, button->width())
          << text.toStdString();
    }
    for (const QWidget* other : controls) {
      if (other == control || !control->isVisibleTo(panel) || !other->isVisibleTo(panel)) continue;
      EXPECT_FALSE(control->geometry().intersects(other->geometry()))
          << control->objectName().toStdString() << " " << other->objectName().toStdString();
    }
  }
}

TEST(Translations, WindowAndHelpSpeakTheUsersLanguage) {
  const testing::TempDir dir;
  const FixedClock clock{testing::Day(2026, 6, 10)};
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.Locale);
    QLocale::setDefault(QLocale(QString::fromLatin1(language.Locale)));
    Translations translations;
    translations.Install();
    MainWindow form(RegionalSettings{}, clock, dir.Path("home.todo"), "/home/x");
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(Caption(form, "AddButton"), QString::fromUtf8(language.Add));
    EXPECT_EQ(Caption(form, "CloseButton"), QString::fromUtf8(language.Close));
    EXPECT_EQ(Caption(form, "CloseNoSaveButton"), QString::fromUtf8(language.CloseNoSave));
    EXPECT_EQ(Caption(form, "SortOrderButton"), QString::fromUtf8(language.SortOrder));
    ExpectCaptionsFit(form);
    const auto* grid = testing::Child<TaskGridView>(form, "Grid");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(),
              QString::fromUtf8(language.Header));

    // Increment on the blank task has no date to move: the core's message, translated.
    QString caption;
    QStringList texts;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        caption = modal->windowTitle();
        for (const QLabel* label : modal->findChildren<QLabel*>()) texts << label->text();
        modal->close();
      }
    });
    answerer.start(20);
    testing::Child<QPushButton>(form, "IncrementButton")->click();
    answerer.stop();
    EXPECT_EQ(caption, QString::fromUtf8(language.ErrorCaption));
    EXPECT_TRUE(texts.contains(QString::fromUtf8(language.Message)))
        << texts.join(u'|').toStdString();

    EXPECT_TRUE(Translations::TranslatedEarly(UsageText())
                    .startsWith(QString::fromUtf8(language.UsageStart)));
  }
  QLocale::setDefault(QLocale::c());
}

// What the core builds at run time: the template in the user's language, the values as they are.
Message NotValid() {
  try {
    ThrowNotValid("x%2", "number");
  } catch (const std::exception& e) {
    return ErrorReport(ShownText(e));
  }
  return {};
}

TEST(Translations, RunTimeMessagesAreFilledInTheUsersLanguage) {
  LineMergeResult merged;
  merged.Added = 2;
  merged.Removed = 1;
  const Message saveFailure =
      ErrorReport(Message::Format("Cannot save %1: %2", "/x/a.todo", FileErrorReason(ENOSPC)));
  const Message unknown = CommandLine::Parse({"--bogus"}).ErrorText;
  const struct {
    const char* Locale;
    Message Shown;
    const char* Expected;
  } cases[] = {
      {"de_DE", Message::Format("Invalid Date - %1", "12.45.2026"),
       "Ungültiges Datum - 12.45.2026"},
      {"de_DE", MergeSummary(merged),
       "Mit anderswo gemachten Änderungen zusammengeführt: 2 Aufgaben hinzugefügt, 1 entfernt"},
      {"de_DE", saveFailure, "/x/a.todo lässt sich nicht sichern: der Datenträger ist voll."},
      {"de_DE", NotValid(), "„x%2“ ist kein gültiger Wert (Zahl)."},
      {"de_DE", unknown,
       "unbekannte Option „--bogus“ (taskwell --help zeigt die Optionen; vor einem Dateinamen, "
       "der mit - beginnt, -- angeben)"},
      {"fr_FR", Message::Format("Invalid Date - %1", "12.45.2026"), "Date non valide - 12.45.2026"},
      {"fr_FR", MergeSummary(merged),
       "Fusionné avec les modifications faites ailleurs : 2 tâches ajoutées, 1 supprimée(s)"},
      {"fr_FR", saveFailure, "Impossible d’enregistrer /x/a.todo : le disque est plein."},
      {"fr_FR", NotValid(), "« x%2 » n’est pas une valeur valide (nombre)."},
      {"en_US", MergeSummary(merged),
       "Merged with changes made elsewhere: 2 tasks added, 1 removed"},
      {"en_US", saveFailure, "Cannot save /x/a.todo: the disk is full."},
      {"en_US", NotValid(), "'x%2' is not a valid number."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    QLocale::setDefault(QLocale(QString::fromLatin1(c.Locale)));
    Translations translations;
    translations.Install();
    EXPECT_EQ(Translations::Translated(c.Shown).toStdString(), c.Expected);
    EXPECT_EQ(Translations::TranslatedEarly(c.Shown).toStdString(), c.Expected);
  }
  QLocale::setDefault(QLocale::c());
}

TEST(Translations, EnglishStaysAsWritten) {
  QLocale::setDefault(QLocale(QStringLiteral("en_US")));
  Translations translations;
  translations.Install();
  EXPECT_EQ(Translations::Translated("&Add"), QStringLiteral("&Add"));
  EXPECT_EQ(Translations::TranslatedEarly(UsageText()), QString::fromStdString(UsageText()));
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace taskwell
