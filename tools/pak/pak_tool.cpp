#include "pak_tool.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "archive/pak_archive.h"
#include "archive/pak_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: zarn-pak list FILE\n"
    "       zarn-pak extract FILE DIR [NAME...]\n"
    "       zarn-pak create FILE INPUT...   (INPUT is PATH or NAME=PATH)\n";

// The --help text: the usage in the form manual-page tools read, the commands, the options.
constexpr const char* kHelp =
    "Usage: zarn-pak list FILE\n"
    "  or:  zarn-pak extract FILE DIR [NAME...]\n"
    "  or:  zarn-pak create FILE INPUT...\n"
    "\n"
    "Commands:\n"
    "  list FILE                   print the index, name, offset and size of every entry\n"
    "  extract FILE DIR [NAME...]  write the entries (all, or the named ones) into the folder DIR\n"
    "  create FILE INPUT...        write an archive of the input files; an INPUT is PATH (the entry\n"
    "                              is named like the file) or NAME=PATH\n"
    "\n"
    "Options:\n"
    "  -h, --help                  print this help and exit\n"
    "  --version                   print the version and exit\n";

#ifndef ZARN_VERSION
#define ZARN_VERSION "0.0.0"
#endif

// A command-line mistake: reported with the usage text and exit status 2.
struct UsageError {
    std::string message;
};

PakArchive OpenArchive(const std::string& path) {
    PakArchive archive;
    archive.OpenQ2Pak(path);
    if (archive.FileLoaded().empty()) {
        throw PakError(path + ": not a PACK archive (no \"PACK\" magic)");
    }
    return archive;
}

int List(const std::string& path, std::ostream& out) {
    const PakArchive archive = OpenArchive(path);
    for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
        out << id << '\t' << archive.EntryFileName(id) << '\t' << archive.EntryOffset(id) << '\t'
            << archive.EntrySize(id) << '\n';
    }
    return kPakToolOk;
}

int Extract(const std::string& path, const std::string& dir, const std::vector<std::string>& names) {
    const PakArchive archive = OpenArchive(path);
    // Every name is looked up before anything is written, so a wrong name writes nothing.
    std::vector<int32_t> ids;
    std::set<int32_t> seen;
    for (const std::string& name : names) {
        const int32_t id = archive.FindEntry(name);
        if (id < 0) {
            throw PakError(path + ": no entry named \"" + name + "\"");
        }
        if (seen.insert(id).second) {
            ids.push_back(id);
        }
    }
    if (names.empty()) {
        for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
            ids.push_back(id);
        }
    }
    std::error_code error;
    fs::create_directories(dir, error);
    if (error || !fs::is_directory(dir)) {
        throw PakError(dir + ": cannot make the folder" + (error ? ": " + error.message() : std::string()));
    }
    // Entry names hold no separator and no "..", checked when the archive was opened, so each file lands
    // directly inside `dir`.
    for (int32_t id : ids) {
        archive.SaveFileFromPAK(id, (fs::path(dir) / archive.EntryFileName(id)).string());
    }
    return kPakToolOk;
}

std::vector<uint8_t> ReadInput(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        throw PakError(path + ": not a readable file");
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (!in || size < 0) {
        throw PakError(path + ": cannot read");
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != size) {
        throw PakError(path + ": cannot read");
    }
    return bytes;
}

int Create(const std::string& path, const std::vector<std::string>& inputs) {
    std::vector<std::pair<std::string, std::string>> named;  // entry name, file path
    std::set<std::string> lowerNames;
    for (const std::string& input : inputs) {
        std::string name = fs::path(input).filename().string();
        std::string file = input;
        const size_t equals = input.find('=');
        std::error_code error;
        if (equals != std::string::npos && !fs::exists(input, error)) {
            name = input.substr(0, equals);
            file = input.substr(equals + 1);
        }
        if (const std::string problem = EntryNameProblem(name); !problem.empty()) {
            throw UsageError{"entry name \"" + name + "\" of input \"" + input + "\": " + problem};
        }
        if (!lowerNames.insert(LowerAscii(name)).second) {
            throw UsageError{"two inputs named \"" + name + "\" (names must differ in more than case)"};
        }
        named.emplace_back(name, file);
    }
    std::vector<PakInput> entries;
    for (const auto& [name, file] : named) {
        entries.push_back(PakInput{name, ReadInput(file)});
    }
    WritePak(path, entries);
    return kPakToolOk;
}

}  // namespace

int RunPakTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const std::string command = args.empty() ? std::string() : args[0];
        if (command == "-h" || command == "--help" || command == "help") {
            out << kHelp;
            return kPakToolOk;
        }
        if (command == "--version") {
            out << "zarn-pak " << ZARN_VERSION << '\n';
            return kPakToolOk;
        }
        if (command == "list" && args.size() == 2) {
            return List(args[1], out);
        }
        if (command == "extract" && args.size() >= 3) {
            return Extract(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
        }
        if (command == "create" && args.size() >= 2) {
            return Create(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
        }
        throw UsageError{command.empty() ? "no command given"
                                         : "wrong command or number of arguments: " + command};
    } catch (const UsageError& error) {
        err << "zarn-pak: " << error.message << '\n' << kUsage;
        return kPakToolUsage;
    } catch (const std::exception& error) {
        err << "zarn-pak: " << error.what() << '\n';
        return kPakToolFailed;
    }
}
