#include "program_run.h"

#include "app/form1.h"
#include "faces/images.h"
#include "forms/qt/application.h"
#include "forms/qt/tests/image_format_plugins.h"
#include "main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace gui_test {
namespace {

constexpr int GuardExitCode = 7;
constexpr int GuardMs = 5000;

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Closes the visible window of that name as its close box does.
void closeBox(const char* name) {
    for (QWidget* window : visibleWindows(QString::fromLatin1(name)))
        window->windowHandle()->close();
}

void openAbout() {
    for (QWidget* window : visibleWindows(QStringLiteral("Form1")))
        window->findChild<QAction*>(QStringLiteral("Version"))->trigger();
}

void hideAboutWithItsButton() {
    for (QWidget* window : visibleWindows(QStringLiteral("frmAbout")))
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CommandVersionToziru")),
                          Qt::LeftButton);
}

// Divides by zero with the keys and tells what the message box said, then closes it.
void divideByZero() {
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        const QString seen = "message box: " + box->windowTitle() + " | " + box->text() + " | " +
                             QString::number(box->buttons().size());
        say(seen.toUtf8().constData());
        box->button(QMessageBox::Ok)->click();
    });
    watcher.start(10);
    for (QWidget* window : visibleWindows(QStringLiteral("Form1"))) {
        QWidget* client = window->findChild<QWidget*>(QStringLiteral("Text1"))->parentWidget();
        for (std::u16string_view key : {u"8", u"÷", u"0", u"＝"})
            pressKey(client, key);
    }
}

// Tells whether image-format plugins have been loaded: a count, 0 when none is, or "unknown".
void tellImageFormatPlugins() {
    const std::optional<int> loaded = forms::qt::testing::imageFormatPluginsLoaded();
    say(("image-format plugins loaded: " +
         (loaded ? QByteArray::number(*loaded) : QByteArray("unknown")))
            .constData());
}

// The steps of each scenario, 300 ms apart from the program's start.
std::vector<std::function<void()>> stepsOf(std::string_view scenario) {
    if (scenario == "about-visible")
        return {openAbout, [] { closeBox("Form1"); },
                [] {
                    say("running with only the About window");
                    closeBox("frmAbout");
                }};
    if (scenario == "about-hidden")
        return {openAbout, hideAboutWithItsButton, [] { closeBox("Form1"); }};
    if (scenario == "about-closed-first")
        return {openAbout, [] { closeBox("frmAbout"); },
                [] {
                    say("running with only the main window");
                    closeBox("Form1");
                }};
    if (scenario == "about-button-after-main")
        return {openAbout, [] { closeBox("Form1"); }, hideAboutWithItsButton};
    if (scenario == "divide-by-zero")
        return {divideByZero, [] { closeBox("Form1"); }};
    if (scenario == "started")
        return {[] {
                    tellImageFormatPlugins();
                    const auto sizes = QApplication::windowIcon().availableSizes().size();
                    say(("window icon sizes: " + QByteArray::number(sizes)).constData());
                },
                [] { closeBox("Form1"); }};
    if (scenario == "no-about")
        return {[] { closeBox("Form1"); }};
    return {};
}

int runScenario(int& argc, char** argv, std::string_view scenario) {
    const forms::qt::ApplicationInfo info{
        .name = u"ぽこたま",
        .desktopFileName = "io.github.pokotama.Pokotama",
        .iconNames = std::span(faces::programIconNames).first(4),
        .images = faces::imageBytes,
    };
    return forms::qt::runApplication(argc, argv, info, [&](forms::Platform& platform) {
        auto form = std::make_unique<Form1>(platform);
        form->start();
        int at = 0;
        for (const auto& step : stepsOf(scenario))
            QTimer::singleShot(at += 300, step);
        QTimer::singleShot(GuardMs, [] {
            say("still running: ended by the guard");
            QCoreApplication::exit(GuardExitCode);
        });
        return std::unique_ptr<forms::Form>(std::move(form));
    });
}

} // namespace

std::optional<int> runProgramIfAsked(int& argc, char** argv) {
    constexpr std::string_view option = "--program=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(option))
            return runScenario(argc, argv, argument.substr(option.size()));
    }
    return std::nullopt;
}

ProgramEnd runProgram(const QString& scenario) {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationFilePath(), {"--program=" + scenario});
    ProgramEnd end;
    end.ended = program.waitForFinished(GuardMs + 10000);
    if (!end.ended)
        program.kill();
    program.waitForFinished();
    end.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    end.output = QString::fromUtf8(program.readAllStandardOutput());
    return end;
}

} // namespace gui_test
