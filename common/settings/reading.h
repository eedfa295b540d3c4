#pragma once
// The settings files read from the program folder: one call per file, for both programs and
// every window, and the settings of a clean run read at once. Each reads its file whole when it
// is asked: once per program run or handler, then handed on as values.
#include <string>
#include <vector>

#include "common/settings/layouts.h"
#include "common/settings/model.h"

namespace settings {

// Each reads its file in the store's folder: the problem opening it (Missing, Unreadable,
// NotText, as openFile) or reading it; what was read before a short file ended stays in `out`.
// `later`, where asked for, takes the lines a later version wrote after ours.
Problem load(const Store& store, PlayerSettings& out);
Problem load(const Store& store, KeysIni& out);
Problem load(const Store& store, NetworkIni& out, std::string* later = nullptr);
Problem load(const Store& store, DirectJoin& out);
Problem load(const Store& store, ShellList& out, std::string* later = nullptr);
// A whole list file (logos.ini, taunts.ini) into `entries`.
Problem readList(const Store& store, const std::string& fileName,
                 std::vector<std::string>& entries);
// The same into a list control (anything with addItem).
template <class List>
Problem readListInto(const Store& store, const std::string& fileName, List& list) {
    std::vector<std::string> entries;
    Problem problem = readList(store, fileName, entries);
    if (problem == Problem::None)
        for (const auto& e : entries) list.addItem(e);
    return problem;
}

// The file names a keep list keeps: each entry as UTF-8, and as the bytes it has in the
// settings' code page. A name on a Linux disk is bytes: one an old archive unpacked there in
// Windows-1252 (or any other single-byte code) is listed as those bytes, which are no UTF-8,
// and the list holds it as the same bytes.
std::vector<std::string> keptNames(const std::vector<std::string>& entries,
                                   platform::Codepage& codepage);

// Reads the Setup: scourix.ini, logos.ini and taunts.ini. On a problem, `problemFile` names the
// file; the values of scourix.ini are there when that file was read.
Problem readSetup(const Store& store, Setup& setup, std::string& problemFile);

} // namespace settings
