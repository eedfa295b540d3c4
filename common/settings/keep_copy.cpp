#include "common/settings/keep_copy.h"

#include "common/settings/layouts.h"
#include "platform/host.h"
#include "platform/files.h"

namespace settings {

// A name is free only when the file system says for certain that nothing is there.
std::string copyName(platform::Files& files, const std::string& path) {
    for (int n = 1; n < 1000; ++n) {
        std::string name = path + ".bak" + (n == 1 ? "" : std::to_string(n));
        if (files.missing(name)) return name;
    }
    return "";
}

bool copyWhole(platform::Files& files, const std::string& from, const std::string& to) {
    const auto size = files.fileSize(from);
    return size && files.copy(from, to) && files.fileSize(to) == size;
}

// The temporary name is one where nothing is: a file of the player's that carries it stays.
bool copyOver(platform::Files& files, const std::string& from, const std::string& to) {
    std::string temp = to + ".new~";
    for (int n = 2; !files.missing(temp); ++n) {
        if (n > 99) return false;
        temp = to + ".new~" + std::to_string(n);
    }
    if (copyWhole(files, from, temp) && files.replace(temp, to)) return true;
    files.remove(temp);
    return false;
}

// Only a file the file system says for certain is not there has nothing to keep.
Kept keepCopy(platform::Files& files, const std::string& path, std::string& copy) {
    copy.clear();
    const auto there = files.presence(path);
    if (there == platform::Files::Presence::Missing) return Kept::Nothing;
    const auto size =
        there == platform::Files::Presence::File ? files.fileSize(path) : std::nullopt;
    if (!size) return Kept::Failed;
    if (*size == 0) return Kept::Nothing;
    const std::string name = copyName(files, path);
    if (name.empty()) return Kept::Failed;
    if (!copyWhole(files, path, name)) {
        files.remove(name); // a short copy under the new name is no copy
        return Kept::Failed;
    }
    copy = name;
    return Kept::Copy;
}

Saving save(platform::Files& files, platform::Host& host, const std::string& path,
            const std::string& bytes, lang::Language l) {
    if (!SettingsFile::fits(bytes)) return {false, tooBig(host.shownPath(path), l)};
    return {files.write(path, bytes), ""};
}

Replaced replaceUnreadable(platform::Files& files, platform::Host& host, const std::string& path,
                           const std::string& fresh, lang::Language l) {
    if (!SettingsFile::fits(fresh)) return {false, true, tooBig(host.shownPath(path), l)};
    std::string copy;
    const Kept kept = keepCopy(files, path, copy);
    if (kept == Kept::Failed)
        return {false, true,
                lang::tr(l,
                         "The settings file \"{1}\" cannot be read, nor copied. It is left as "
                         "it is.",
                         {host.shownPath(path)})};
    Replaced r{files.write(path, fresh), false, ""};
    if (kept == Kept::Nothing) return r;
    if (r.written)
        r.message = lang::tr(l,
                             "The settings file \"{1}\" could not be read. Your file was kept as "
                             "\"{2}\"; a new one was written.",
                             {host.shownPath(path), host.shownPath(copy)});
    else
        r.message = lang::tr(l,
                             "The settings file \"{1}\" could not be read. Your file was kept as "
                             "\"{2}\"; a new one could not be written.",
                             {host.shownPath(path), host.shownPath(copy)});
    return r;
}

} // namespace settings
