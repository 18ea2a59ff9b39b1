// The save form opened by the add-in's button with the Qt toolkit (widgets made, the
// project box filled with every project, the window drawn off screen) beside the same
// click with the headless toolkit, at 1 000 and 10 000 projects.
// Goals: the Qt click within 1.5 times the headless one; under 100 ms at 10 000.
//
// The add-in is loaded as Outlook loads it (bench/save_click.cpp says why), and the
// project database is made as the installer's tool makes it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "hosts/desk/toolkit/qt_toolkit.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/com/library.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "tools/dbtool/project_database.h"

namespace {

namespace fs = std::filesystem;
namespace tk = platform::toolkit;

[[noreturn]] void Abort(const std::string& why) {
    std::fprintf(stderr, "bench-save_form_qt: %s\n", why.c_str());
    std::exit(1);
}

sim::TestMachine& Machine() {
    static sim::TestMachine machine;
    return machine;
}

QApplication& Application() {
    static int argc = 1;
    static char name[] = "bench-save_form_qt";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// The add-in's database holds n active projects from now on.
void UseDatabase(int64_t n) {
    const auto host = Machine().Host("C:\\ProgramData\\Quillet\\Quillet.mdb");
    fs::remove(host);
    dbtool::CreateProjectDatabase(host);
    std::vector<dbtool::ProjectRecord> projects;
    for (int64_t i = 0; i < n; ++i) {
        std::string number = std::to_string(10 + i / 1000) + "-" + std::to_string(100000 + i).substr(1);
        projects.push_back({number, "Harbour Works " + std::to_string(i * 7919 % 100000), "", true});
    }
    dbtool::AddProjects(host, projects);
}

sim::Outlook& Outlook() {
    static std::unique_ptr<sim::Outlook> outlook = [] {
        sim::TestMachine& machine = Machine();
        const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
        for (const char* library : {"UtilOrvek2.so", "Quillet09.so"})
            if (platform::com::RegisterLibrary((bin / library).string()) != 0)
                Abort("cannot register " + (bin / library).string() + ": " + platform::com::LastLoadError());
        machine.Write("C:\\ProgramData\\Quillet\\Quillet.ini", "[Setup]\r\nRoot=C:\\Projects\\\r\n");
        machine.Write("C:\\ProgramData\\Quillet\\Quillet.cnt",
                      "1\r\n[Form] Save\r\nProject|The project.\r\nFolder|The folder.\r\nName|The name.\r\n"
                      "[Form]\r\n");
        UseDatabase(1000);
        auto started = std::make_unique<sim::Outlook>();
        started->Start();
        if (!started->Escaped().empty()) Abort("the add-in did not load: " + started->Escaped().front());
        started->OpenMail({.subject = "Roof drawings", .recipients = 1});
        return started;
    }();
    return *outlook;
}

tk::Form& SaveForm() {
    tk::Form* form = tk::WindowManager::Get().FindForm("frmQuillet");
    if (!form || !form->Loaded()) Abort("the save form is not open");
    return *form;
}

// Clicks the button n times, the toolkit's drawing included; checks what was listed.
void TimeClicks(benchmark::State& state, const std::shared_ptr<desk::QtToolkit>& qt) {
    sim::Outlook& outlook = Outlook();
    UseDatabase(state.range(0));
    int32_t listed = 0, drawn = 0;
    for (auto _ : state) {
        outlook.ClickButton();
        if (qt) {
            desk::FormWindow* window = qt->Window(SaveForm());
            if (!window) Abort("the save form has no window");
            window->Flush();
            QApplication::processEvents();
        }
        state.PauseTiming();
        auto& box = static_cast<tk::ComboBox&>(*SaveForm().Find("cboQuillet"));
        listed = box.ListCount();
        if (qt) drawn = static_cast<QComboBox*>(qt->Window(SaveForm())->WidgetOf(box))->count();
        static_cast<tk::CommandButton&>(*SaveForm().Find("cmdQuillet", 4)).RaiseClick();  // Cancel
        if (qt) QApplication::processEvents();
        state.ResumeTiming();
    }
    for (const auto& problem : Machine().Person().Problems()) Abort(problem);
    if (listed != state.range(0)) Abort("the save form lists " + std::to_string(listed) + " projects");
    if (qt && drawn != listed) Abort("the project box shows " + std::to_string(drawn) + " entries");
    state.counters["listed"] = double(listed);
}

void HeadlessClick(benchmark::State& state) {
    Outlook();
    tk::Install(std::shared_ptr<tk::Backend>(std::shared_ptr<void>(), &Machine().Toolkit()));
    TimeClicks(state, nullptr);
}

void QtClick(benchmark::State& state) {
    Application();
    Outlook();
    auto qt = std::make_shared<desk::QtToolkit>();
    tk::Install(qt);
    TimeClicks(state, qt);
    tk::Install(nullptr);
}

BENCHMARK(HeadlessClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(QtClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
