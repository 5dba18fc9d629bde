// The demonstration program under a real X server (Xvfb): starts qeldemo on the shipped
// scripts, finds its window, presses F9 through the window system (xdotool's XTEST input),
// copies the message pane to the clipboard the same way and waits for the clipboard to change,
// then checks the caption, the size and the output, and saves a PNG of the window.
//
// usage: demo_screenshot QELDEMO SCRIPTS_FOLDER OUTPUT_PNG
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

// Runs xdotool; its standard output, trimmed.
QString Xdotool(const QStringList& AArgs) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), AArgs);
  tool.waitForFinished(-1);
  return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

int Fail(const QString& AWhat) {
  std::fprintf(stderr, "demo_screenshot: %s\n", qPrintable(AWhat));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 4) return Fail(QStringLiteral("usage: demo_screenshot QELDEMO SCRIPTS_FOLDER OUTPUT_PNG"));
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return Fail(QStringLiteral("needs an X display"));

  QProcess demo;
  demo.setProcessChannelMode(QProcess::ForwardedChannels);
  demo.start(QString::fromLocal8Bit(argv[1]), {QString::fromLocal8Bit(argv[2])});
  if (!demo.waitForStarted()) return Fail(QStringLiteral("qeldemo did not start"));
  const auto finish = [&](int AStatus) {
    demo.terminate();
    demo.waitForFinished();
    return AStatus;
  };

  // --sync waits until the window is mapped.
  const QString window = Xdotool({"search", "--sync", "--onlyvisible", "--name", "^Qel-Tessaro: Orvane$"}).section('\n', 0, 0);
  if (window.isEmpty()) return finish(Fail(QStringLiteral("no window")));
  const QString caption = Xdotool({"getwindowname", window});
  const QString geometry = Xdotool({"getwindowgeometry", "--shell", window});
  if (caption != QStringLiteral("Qel-Tessaro: Orvane")) return finish(Fail(QStringLiteral("caption: ") + caption));
  if (!geometry.contains(QStringLiteral("WIDTH=732")) || !geometry.contains(QStringLiteral("HEIGHT=527")))
    return finish(Fail(QStringLiteral("geometry: ") + geometry));

  // F9 to the window, then select and copy the message pane (bottom, above the status bar).
  QClipboard* clipboard = QGuiApplication::clipboard();
  QString copied;
  QObject::connect(clipboard, &QClipboard::dataChanged, &app, [&] {
    copied = clipboard->text();
    if (!copied.isEmpty()) app.quit();
  });
  Xdotool({"windowfocus", "--sync", window});
  Xdotool({"mousemove", "--window", window, "300", "200", "click", "1"});
  Xdotool({"key", "--clearmodifiers", "F9"});
  Xdotool({"mousemove", "--window", window, "300", "470", "click", "1"});
  Xdotool({"key", "--clearmodifiers", "ctrl+a", "ctrl+c"});
  // A copy that never comes is a failure, not a hang.
  QTimer::singleShot(60000, &app, [&] { app.exit(2); });
  if (app.exec() == 2) return finish(Fail(QStringLiteral("the message pane was never copied")));
  if (!copied.contains(QStringLiteral("Hello from the Pascal dialect")) || !copied.contains(QStringLiteral("1. APPLE")))
    return finish(Fail(QStringLiteral("message pane: ") + copied));

  // Drop the selection the copy made and put the caret back in the editor, so the shot shows
  // the window as after a run.
  Xdotool({"key", "--clearmodifiers", "ctrl+End"});
  Xdotool({"mousemove", "--window", window, "300", "200", "click", "1"});
  QImage shot = QGuiApplication::primaryScreen()->grabWindow(window.toULongLong()).toImage();
  if (shot.width() != 732 || shot.height() != 527)
    return finish(Fail(QStringLiteral("shot size %1x%2").arg(shot.width()).arg(shot.height())));
  if (!shot.save(QString::fromLocal8Bit(argv[3]))) return finish(Fail(QStringLiteral("cannot save the shot")));
  std::printf("demo_screenshot: %s, %s, output copied: %s\n", qPrintable(caption), "732x527",
              qPrintable(copied.section('\n', 0, 0)));
  return finish(0);
}
