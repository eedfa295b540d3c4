// Feeds arbitrary bytes to the settings reader and to every file layout's loader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/settings/layouts.h"
#include "common/settings/settings_file.h"
#include "platform/system.h"

using namespace settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Cp1252 cp;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Every successful read takes at least one byte, so a file of n bytes ends within n reads.
    SettingsFile f(cp, bytes);
    std::string value;
    std::size_t reads = 0;
    while (!f.atEnd() && f.readValue(value)) {
        numericValue(value);
        if (++reads > size) std::abort();
    }
    if (!f.atEnd() || f.readValue(value)) std::abort();

    {
        SettingsFile in(cp, bytes);
        ScourixIni v;
        readScourixIni(in, v);
    }
    {
        SettingsFile in(cp, bytes);
        std::vector<std::string> list;
        readList(in, list);
        if (list.size() != reads) std::abort();
    }
    {
        SettingsFile in(cp, bytes);
        KeysIni k;
        readKeysIni(in, k);
        for (std::size_t i = 0; i < k.switches.size(); ++i) k.active(i);
    }
    {
        SettingsFile in(cp, bytes);
        NetworkIni v;
        readNetworkIni(in, v);
    }
    {
        SettingsFile in(cp, bytes);
        DirecktIni v;
        readDirecktIni(in, v);
    }
    {
        SettingsFile in(cp, bytes);
        ShellList v;
        readShellList(in, v);
    }
    return 0;
}
