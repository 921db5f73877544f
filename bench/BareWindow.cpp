// The floor for the whole-process start-up figures: a bare Qt Widgets window with the same kinds
// of widgets as the main window (ten buttons, a line edit and a one-row table), shown and then
// left to the event loop. Alt+C closes it, as Close does the main window.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Taskwell floor"));
  auto* layout = new QVBoxLayout(&window);
  auto* panel = new QWidget(&window);
  const char* captions[] = {"&Add",  "&Delete", "&Increment", "&Replicate", "&Print",
                            "&Save", "&Find",   "Abou&t",     "&Close",     "Close-NoSave"};
  int x = 0;
  for (const char* caption : captions) {
    auto* button = new QPushButton(QString::fromLatin1(caption), panel);
    button->move(x, 0);
    x += 80;
    if (button->text() == QStringLiteral("&Close"))
      QObject::connect(button, &QPushButton::clicked, &window, &QWidget::close);
  }
  panel->setMinimumHeight(48);
  new QLineEdit(panel);
  layout->addWidget(panel);
  auto* table = new QTableWidget(1, 4, &window);
  table->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Pri"),
                                    QStringLiteral("SubP"), QStringLiteral("Description")});
  table->verticalHeader()->hide();
  table->setItem(0, 3, new QTableWidgetItem(QStringLiteral("one task")));
  layout->addWidget(table);
  window.resize(828, 540);
  window.show();
  return QApplication::exec();
}
