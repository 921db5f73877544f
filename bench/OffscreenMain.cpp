// The start of every benchmark program that needs Qt: an application on the offscreen platform,
// then the benchmarks the command line selects.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform says this on every shown window; it would bury the figures.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
    if (!text.contains(QStringLiteral("propagateSizeHints")))
      std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  });
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
