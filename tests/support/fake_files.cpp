#include "tests/support/fake_files.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string join(const std::vector<std::string>& parts, std::size_t count, bool keepCase) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) out += '\\';
        out += keepCase ? parts[i] : lower(parts[i]);
    }
    return out;
}

bool within(const std::string& k, const std::string& folderKey) {
    return k == folderKey ||
           (k.size() > folderKey.size() && k.compare(0, folderKey.size(), folderKey) == 0 &&
            k[folderKey.size()] == '\\');
}

} // namespace

// The absolute path as its components, the drive first ("C:", "Games", "Descent3").
std::vector<std::string> FakeFiles::components(const std::string& path) const {
    std::vector<std::string> parts;
    const bool rooted = !path.empty() && isSeparator(path[0]);
    const std::string first = path.substr(0, path.find_first_of("\\/"));
    if (first.find(':') == std::string::npos) {
        parts = currentParts_;
        if (rooted && parts.size() > 1) parts.resize(1);
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

std::string FakeFiles::key(const std::string& path) const {
    const std::vector<std::string> parts = components(path);
    return join(parts, parts.size(), caseSensitive);
}

std::string FakeFiles::parentKey(const std::string& k) {
    const std::size_t slash = k.rfind('\\');
    return slash == std::string::npos ? std::string() : k.substr(0, slash);
}

const FakeFiles::Node* FakeFiles::find(const std::string& path) const {
    auto it = nodes_.find(key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

FakeFiles::Node* FakeFiles::findFile(const std::string& path) {
    auto it = nodes_.find(key(path));
    return it == nodes_.end() || it->second.isFolder ? nullptr : &it->second;
}

// A drive has no parent and always has a place.
bool FakeFiles::parentIsFolder(const std::string& k) const {
    const std::string parent = parentKey(k);
    if (parent.empty()) return true;
    auto it = nodes_.find(parent);
    return it != nodes_.end() && it->second.isFolder;
}

void FakeFiles::create(const std::string& path, bool isFolder, const std::string& bytes) {
    const std::vector<std::string> parts = components(path);
    for (std::size_t i = 1; i <= parts.size(); ++i) {
        const bool last = i == parts.size();
        auto [it, added] = nodes_.try_emplace(join(parts, i, caseSensitive));
        Node& node = it->second;
        if (added) {
            node.name = parts[i - 1];
            node.isFolder = !last || isFolder;
            node.order = nextOrder_++;
        }
        if (last && !node.isFolder) node.bytes = bytes;
    }
}

void FakeFiles::eraseTree(const std::string& k) {
    for (auto it = nodes_.lower_bound(k);
         it != nodes_.end() && it->first.compare(0, k.size(), k) == 0;)
        it = within(it->first, k) ? nodes_.erase(it) : std::next(it);
}

bool FakeFiles::spaceFor(std::uint64_t size) {
    if (diskFull_) return false;
    if (spaceLeft_) {
        if (size > *spaceLeft_) return false;
        *spaceLeft_ -= size;
    }
    return true;
}

std::vector<std::string> FakeFiles::children(const std::string& k, bool folders,
                                             const std::string& pattern) const {
    std::vector<const Node*> found;
    for (const auto& [nodeKey, node] : nodes_)
        if (parentKey(nodeKey) == k && node.isFolder == folders &&
            (folders || platform::matchesPattern(node.name, pattern)))
            found.push_back(&node);
    std::sort(found.begin(), found.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    std::vector<std::string> names;
    for (const Node* node : found) names.push_back(node->name);
    return names;
}

bool FakeFiles::callFails() {
    ++calls_;
    if (calls_ != failingCall_) return false;
    failingCall_ = 0;
    if (callFault_ != CallFault::FolderVanish) return true;
    eraseTree(key(callFaultFolder_));
    return false;
}

bool FakeFiles::list(const std::string& folder, const std::string& pattern,
                     std::vector<std::string>& names) {
    if (callFails()) return false;
    const Node* node = find(folder);
    if (!node || !node->isFolder) return false;
    names = children(key(folder), false, pattern);
    return true;
}

bool FakeFiles::listFolders(const std::string& folder, std::vector<std::string>& names) {
    if (callFails()) return false;
    const Node* node = find(folder);
    if (!node || !node->isFolder) return false;
    names = children(key(folder), true, "");
    return true;
}

platform::Files::Presence FakeFiles::presence(const std::string& path) {
    if (callFails() || failQuery_.count(key(path))) return Presence::Unknown;
    const Node* node = find(path);
    return !node ? Presence::Missing : node->isFolder ? Presence::Folder : Presence::File;
}

std::optional<std::uint64_t> FakeFiles::fileSize(const std::string& path) {
    if (callFails()) return std::nullopt;
    const Node* node = find(path);
    if (!node || node->isFolder) return std::nullopt;
    return node->bytes.size();
}

std::optional<platform::FileInfo> FakeFiles::info(const std::string& path) {
    if (callFails()) return std::nullopt;
    const std::string k = key(path);
    auto it = nodes_.find(k);
    if (it == nodes_.end()) return std::nullopt;
    platform::FileInfo i;
    i.volume = static_cast<unsigned char>(k[0]);
    i.index = it->second.order + 1;
    i.size = it->second.isFolder ? 0 : it->second.bytes.size();
    return i;
}

bool FakeFiles::copy(const std::string& from, const std::string& to) {
    ++copies_;
    const bool failing = callFails();
    const bool partial = failing && callFault_ == CallFault::Partial;
    if (failing && !partial && callFault_ != CallFault::Short) return false;
    const Node* source = find(from);
    if (!source || source->isFolder || failRead_.count(key(from))) return false;
    const std::string target = key(to);
    const Node* existing = find(to);
    if (target.empty() || (existing && existing->isFolder) || !parentIsFolder(target) ||
        readOnly_.count(target))
        return false;
    if (failCopyAt_ == copies_) {
        failCopyAt_ = 0;
        return false;
    }
    const std::string bytes = source->bytes;
    if (partial || failCopyPartial_.count(key(from)) || failCopyPartial_.count(target)) {
        create(to, false, bytes.substr(0, bytes.size() / 2));
        return false;
    }
    if ((failing && callFault_ == CallFault::Short) || copyShort_.count(key(from)) ||
        copyShort_.count(target)) {
        create(to, false, bytes.substr(0, bytes.size() / 2));
        return true;
    }
    if (!spaceFor(bytes.size())) return false;
    create(to, false, bytes);
    copyLog_.emplace_back(to, bytes);
    if (!vanishingFolder_.empty() && --copiesBeforeVanish_ <= 0) {
        eraseTree(vanishingFolder_);
        vanishingFolder_.clear();
    }
    return true;
}

bool FakeFiles::remove(const std::string& path) {
    ++removes_;
    if (callFails()) return false;
    const Node* node = find(path);
    if (!node || node->isFolder || failRemove_.count(key(path)) || readOnly_.count(key(path)))
        return false;
    nodes_.erase(key(path));
    return true;
}

bool FakeFiles::rename(const std::string& from, const std::string& to) {
    if (callFails()) return false;
    const std::string source = key(from), target = key(to);
    if (target.empty() || !has(from) || has(to) || !parentIsFolder(target) ||
        within(target, source))
        return false;
    std::vector<std::pair<std::string, Node>> moved;
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        if (within(it->first, source)) {
            moved.emplace_back(target + it->first.substr(source.size()), std::move(it->second));
            it = nodes_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [k, node] : moved) {
        if (k == target) node.name = components(to).back();
        nodes_.emplace(k, std::move(node));
    }
    return true;
}

bool FakeFiles::replace(const std::string& from, const std::string& to) {
    if (callFails()) return false;
    const Node* source = find(from);
    const Node* target = find(to);
    if (!source || source->isFolder || (target && target->isFolder) || readOnly_.count(key(to)) ||
        failRemove_.count(key(to)) || !parentIsFolder(key(to)))
        return false;
    if (key(from) == key(to)) return true;
    Node moved = *source;
    moved.name = components(to).back();
    if (target) moved.order = target->order; // the listing keeps the replaced file's place
    nodes_.erase(key(from));
    nodes_[key(to)] = moved;
    return true;
}

bool FakeFiles::makeFolder(const std::string& path) {
    if (callFails()) return false;
    if (key(path).empty() || has(path) || !parentIsFolder(key(path))) return false;
    create(path, true, "");
    return true;
}

bool FakeFiles::read(const std::string& path, std::string& bytes, std::uint64_t limit) {
    if (callFails()) return false;
    const Node* node = findFile(path);
    if (!node || failRead_.count(key(path)) || node->bytes.size() > limit) return false;
    bytes = node->bytes;
    return true;
}

bool FakeFiles::write(const std::string& path, const std::string& bytes) {
    ++writes_;
    if (callFails()) return false;
    const std::string k = key(path);
    if (auto failing = failWrites_.find(k); failing != failWrites_.end() && failing->second > 0) {
        --failing->second;
        return false;
    }
    const Node* node = find(path);
    if ((node && node->isFolder) || !parentIsFolder(k) || parentKey(k).empty() ||
        readOnly_.count(k))
        return false;
    if (!spaceFor(bytes.size())) return false;
    create(path, false, bytes);
    return true;
}

bool FakeFiles::setCurrentFolder(const std::string& path) {
    if (callFails()) return false;
    const Node* node = find(path);
    if (!node || !node->isFolder) return false;
    currentParts_ = components(path);
    current_ = path;
    return true;
}

std::vector<std::string> FakeFiles::drives() {
    std::vector<std::string> out;
    for (const auto& [k, node] : nodes_)
        if (k.size() == 2 && k[1] == ':') out.push_back(k);
    return out;
}

void FakeFiles::addFolder(const std::string& path) {
    create(path, true, "");
}

void FakeFiles::addFile(const std::string& path, const std::string& bytes) {
    create(path, false, bytes);
}

std::optional<std::string> FakeFiles::content(const std::string& path) const {
    const Node* node = find(path);
    if (!node || node->isFolder) return std::nullopt;
    return node->bytes;
}

std::map<std::string, std::string> FakeFiles::snapshot() const {
    std::map<std::string, std::string> out;
    for (const auto& [k, node] : nodes_)
        if (!node.isFolder) out[k] = node.bytes;
    return out;
}

bool FakeFiles::has(const std::string& path) const {
    return find(path) != nullptr;
}

std::vector<std::string> FakeFiles::files(const std::string& folder) const {
    return children(key(folder), false, "*");
}

void FakeFiles::failRemove(const std::string& path) {
    failRemove_.insert(key(path));
}

void FakeFiles::failCopyNth(int n) {
    failCopyAt_ = copies_ + n;
}

void FakeFiles::failCopyPartial(const std::string& path) {
    failCopyPartial_.insert(key(path));
}

void FakeFiles::copyShort(const std::string& path) {
    copyShort_.insert(key(path));
}

void FakeFiles::failWrites(const std::string& path, int n) {
    failWrites_[key(path)] = n;
}

void FakeFiles::diskFull(bool full) {
    diskFull_ = full;
}

void FakeFiles::failWritesAfter(std::uint64_t bytes) {
    spaceLeft_ = bytes;
}

void FakeFiles::removeFolderAfterCopies(const std::string& folder, int n) {
    if (n <= 0) {
        eraseTree(key(folder));
        return;
    }
    vanishingFolder_ = key(folder);
    copiesBeforeVanish_ = n;
}

void FakeFiles::failRead(const std::string& path, bool failing) {
    if (failing)
        failRead_.insert(key(path));
    else
        failRead_.erase(key(path));
}

void FakeFiles::readOnly(const std::string& path) {
    readOnly_.insert(key(path));
}

void FakeFiles::failCall(int k, CallFault fault, const std::string& folder) {
    failingCall_ = calls_ + k;
    callFault_ = fault;
    callFaultFolder_ = folder;
}
