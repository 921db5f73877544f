#include "app/Startup.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>

#include "app/DateFormUnit.h"
#include "app/InstanceLock.h"
#include "app/MessageUnit.h"
#include "app/TaskwellForm.h"
#include "print/AboutUnit.h"

namespace taskwell {

int RunTaskwell(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const RegionalSettings regional = RegionalSettings::FromSystemLocale();
  const SystemClock clock;
  // Only the first argument counts; the rest are ignored.
  const std::string argument = argc > 1 ? argv[1] : "";
  const std::string lockName = InstanceLock::LockNameOf(argument);
  InstanceLock lock;
  const bool owner = lock.Acquire(lockName);

  QApplication app(argc, argv);
  const char* home = std::getenv("HOME");
  TToDoForm form(regional, clock, argument, home != nullptr ? home : "");
  TMessageBox messageBox;
  TDateInputForm dateInputForm;
  TAboutBox aboutBox;
  form.SetDialogs(&messageBox, &aboutBox);

  if (!owner) {
    messageBox.ShowMessageBox(
        QStringLiteral("Taskwell"),
        QString::fromLocal8Bit(lockName.c_str()) + QStringLiteral(" is already being edited."));
    return 0;
  }
  form.show();
  return QApplication::exec();
}

}  // namespace taskwell
