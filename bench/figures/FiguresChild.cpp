#include "FiguresChild.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

TChildFigures RunChild(const std::vector<std::string>& argv,
                       const std::vector<std::string>& environment) {
    TChildFigures figures;
    std::vector<std::string> env = environment;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0)
        return figures;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (error != 0) {
        ::close(out[0]);
        return figures;
    }
    char buffer[4096];
    ssize_t n;
    auto since = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) {
        figures.Out.append(buffer, static_cast<size_t>(n));
        if (figures.FirstLineS == 0 && figures.Out.find('\n') != std::string::npos)
            figures.FirstLineS = since();
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    figures.WallS = since();
    figures.PeakKb = usage.ru_maxrss;
    if (WIFEXITED(status))
        figures.ExitCode = WEXITSTATUS(status);
    return figures;
}

TTempFolder::TTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kq9figures-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        Path = pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    if (!Path.empty())
        fs::remove_all(Path, ignored);
}

void PrepareHome(const std::string& home, const std::string& portPath) {
    for (const auto& entry : fs::directory_iterator(KQ9_SOURCE_DATA))
        if (entry.is_regular_file() && entry.path().filename() != "CMakeLists.txt")
            fs::copy_file(entry.path(), fs::path(home) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    std::ofstream ini(fs::path(home) / "application.ini");
    ini << "[Serieel]\nbaudrate=6\ndatabit=1\nparity=1\nstopbit=0\nhardware=0\nportname=0\n"
           "unit_no=0\n[Opties]\nTaal=1\n[Poorten]\nCOM1="
        << portPath << "\n";
}
