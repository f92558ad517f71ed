#include "private_speechd.h"

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kDaemon = "/usr/bin/speech-dispatcher";
constexpr const char* kGenericModule = "/usr/lib/speech-dispatcher-modules/sd_generic";

void WriteFile(const fs::path& file, const std::string& text) {
    std::ofstream out(file);
    out << text;
}

}  // namespace

bool SpeechDispatcherInstalled() {
    return fs::exists(kDaemon) && fs::exists(kGenericModule);
}

std::string ReadWholeFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whitespace runs as one space: the module may cut a text into sentences, one line each.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

PrivateSpeechDaemon::PrivateSpeechDaemon() {
    std::string pattern = (fs::temp_directory_path() / "zarn-speechd-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    fs::create_directories(folder_ / "conf" / "modules");
    fs::create_directories(folder_ / "log");
    // libao's silent driver: the generic module opens an audio output though it plays nothing.
    WriteFile(folder_ / ".libao", "default_driver=null\n");
    WriteFile(folder_ / "conf" / "speechd.conf", "LogLevel 3\nLogDir \"" + (folder_ / "log").string() +
                                                     "\"\nAddModule \"file\" \"sd_generic\" \"file.conf\"\n"
                                                     "DefaultModule file\nDefaultLanguage \"en\"\n"
                                                     "AudioOutputMethod \"libao\"\n");
    WriteFile(folder_ / "conf" / "modules" / "file.conf",
              "GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> " + Spoken().string() +
                  "\"\n"
                  "GenericLanguage \"en\" \"en\" \"utf-8\"\nAddVoice \"en\" \"MALE1\" \"en\"\n"
                  "GenericMaxChunkLength 100000\n");
    const std::string home = "HOME=" + folder_.string();
    std::vector<std::string> args = {kDaemon, "-s",
                                     "-C",    (folder_ / "conf").string(),
                                     "-S",    Socket().string(),
                                     "-c",    "unix_socket",
                                     "-t",    "0",
                                     "-P",    (folder_ / "pid").string(),
                                     "-L",    (folder_ / "log").string()};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment = {home, "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    started_ = posix_spawn(&pid_, kDaemon, nullptr, nullptr, argv.data(), envp.data()) == 0;
}

PrivateSpeechDaemon::~PrivateSpeechDaemon() {
    if (started_) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}
