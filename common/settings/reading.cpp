#include "common/settings/reading.h"

#include <utility>

#include "platform/files.h"
#include "platform/system.h"

namespace settings {
namespace {

template <class T, class Read>
Problem loadFile(const Store& store, const char* fileName, T& out, Read read,
                 std::string* later = nullptr) {
    SettingsFile f(store.codepage);
    Problem problem = openFile(store, fileName, f);
    if (problem != Problem::None) return problem;
    problem = read(f, out);
    if (later) *later = f.rest();
    return problem;
}

} // namespace

Problem load(const Store& store, PlayerSettings& out) {
    return loadFile(store, kScourixIni, out, readPlayerSettings);
}

Problem load(const Store& store, KeysIni& out) {
    return loadFile(store, kKeysIni, out, readKeysIni);
}

Problem load(const Store& store, NetworkIni& out, std::string* later) {
    return loadFile(store, kNetworkIni, out, readNetworkIni, later);
}

Problem load(const Store& store, DirectJoin& out) {
    return loadFile(store, kDirecktIni, out, readDirectJoin);
}

Problem load(const Store& store, ShellList& out, std::string* later) {
    return loadFile(store, kShellListTxt, out, readShellList, later);
}

Problem readList(const Store& store, const std::string& fileName,
                 std::vector<std::string>& entries) {
    return loadFile(
        store, fileName.c_str(), entries,
        [](SettingsFile& f, std::vector<std::string>& out) { return readList(f, out); });
}

std::vector<std::string> keptNames(const std::vector<std::string>& entries,
                                   platform::Codepage& codepage) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const auto& e : entries) {
        names.push_back(e);
        if (std::string bytes = codepage.fromUtf8(e); bytes != e) names.push_back(std::move(bytes));
    }
    return names;
}

Problem readSetup(const Store& store, Setup& setup, std::string& problemFile) {
    setup = {};
    problemFile = kScourixIni;
    Problem problem = load(store, setup.ini);
    if (problem != Problem::None) return problem;
    for (auto [file, names] :
         {std::pair{kLogosIni, &setup.logos}, std::pair{kTauntsIni, &setup.taunts}}) {
        problemFile = file;
        if ((problem = readList(store, file, *names)) != Problem::None) return problem;
        *names = keptNames(*names, store.codepage);
    }
    return Problem::None;
}

} // namespace settings
