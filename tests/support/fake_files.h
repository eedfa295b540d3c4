#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

// A file system as a test sets it up, inspects it and makes its calls fail: in memory (FakeFiles)
// or on the disk (DiskFiles).
class TestFiles : public platform::Files {
  public:
    // Setting up: both create missing parent folders; addFile replaces an existing file.
    virtual void addFolder(const std::string& path) = 0;
    virtual void addFile(const std::string& path, const std::string& bytes = "") = 0;
    // The file is read-only: it cannot be deleted, written or copied over.
    virtual void readOnly(const std::string& path) = 0;

    virtual std::optional<std::string> content(const std::string& path) const = 0; // none: no file
    virtual bool has(const std::string& path) const = 0;                           // file or folder
    // Every file, by its path in lower case (the drive "c:" first, "\" between names), with its
    // bytes.
    virtual std::map<std::string, std::string> snapshot() const = 0;
    // Every copy that succeeded: target path as given and the bytes it received.
    virtual const std::vector<std::pair<std::string, std::string>>& copyLog() const = 0;

    // The k-th call from now (1 = the next), of any kind, fails as that kind of call fails: a
    // listing or query finds nothing, a copy, write or deletion leaves everything as it was.
    enum class CallFault {
        Fail,
        Partial,      // the call breaks off halfway through the bytes of a copy or a write
        FolderVanish, // the folder and all it holds vanish right before the call
        Short,        // a copy leaves the first half of its bytes and reports success; other
                      // calls fail as with Fail
    };
    virtual void failCall(int k, CallFault fault = CallFault::Fail,
                          const std::string& folder = "") = 0;
    virtual int calls() const = 0;
};

// An in-memory file system of Windows paths, for tests.
//
// Paths compare as Windows compares them: case-insensitive (ASCII letters), '/' equal to
// '\', repeated and trailing backslashes ignored; names keep the case they were created
// with. With `caseSensitive` set before anything is added, names that differ in case are
// different files, as in a case-sensitive folder, so that exact-name rules can be told from
// case-insensitive ones. A path without a drive is taken relative to the current folder. Listings
// come in the order the entries were created; replacing a file's content or renaming it keeps its
// place.
//
// Counters count calls, whether they succeed or fail. Every operation of platform::Files
// counts as one call for the k-th call faults.
class FakeFiles : public TestFiles {
  public:
    // platform::Files
    bool list(const std::string& folder, const std::string& pattern,
              std::vector<std::string>& names) override;
    bool listFolders(const std::string& folder, std::vector<std::string>& names) override;
    Presence presence(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    // The volume is the drive letter, the index the node's creation number, which replacing
    // the content keeps.
    std::optional<platform::FileInfo> info(const std::string& path) override;
    bool copy(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool makeFolder(const std::string& path) override;
    using platform::Files::read;
    bool read(const std::string& path, std::string& bytes, std::uint64_t limit) override;
    bool write(const std::string& path, const std::string& bytes) override;
    bool setCurrentFolder(const std::string& path) override;
    std::string currentFolder() override { return current_; } // as last set
    std::vector<std::string> drives() override;
    bool sameName(const std::string& a, const std::string& b) override {
        return platform::sameNameIgnoringCase(a, b);
    }

    void addFolder(const std::string& path) override;
    void addFile(const std::string& path, const std::string& bytes = "") override;

    // Inspecting.
    std::optional<std::string> content(const std::string& path) const override;
    bool has(const std::string& path) const override;
    std::vector<std::string> files(const std::string& folder) const; // names, listing order
    int removes() const { return removes_; }
    int copies() const { return copies_; }
    const std::vector<std::pair<std::string, std::string>>& copyLog() const override {
        return copyLog_;
    }
    int writes() const { return writes_; }
    // Paths in lower case unless caseSensitive.
    std::map<std::string, std::string> snapshot() const override;

    // Faults.
    // The file cannot be deleted.
    void failRemove(const std::string& path);
    // The n-th copy call from now (1 = the next one) fails; the target stays as it was.
    void failCopyNth(int n);
    // A copy from or to this path leaves the target truncated to half and reports failure.
    void failCopyPartial(const std::string& path);
    // A copy from or to this path leaves the target truncated to half and reports success.
    void copyShort(const std::string& path);
    // The next n writes to this path fail and leave it as it was.
    void failWrites(const std::string& path, int n = 1);
    // While full, every write and copy fails and leaves its target as it was.
    void diskFull(bool full);
    // Writes and copies succeed while their bytes fit into what is left of `bytes`.
    void failWritesAfter(std::uint64_t bytes);
    // After n more successful copies the folder and all it holds vanish (at once for n 0).
    void removeFolderAfterCopies(const std::string& folder, int n);
    // The file exists but cannot be read (nor copied); with `failing` false, it can again.
    void failRead(const std::string& path, bool failing = true);
    // Asking whether anything is at the path fails (Unknown), whatever is there; with
    // `failing` false, it can be asked again.
    void failQuery(const std::string& path, bool failing = true) {
        if (failing)
            failQuery_.insert(key(path));
        else
            failQuery_.erase(key(path));
    }
    void readOnly(const std::string& path) override;

    // Partial: as Fail, but a copy leaves the first half of its bytes in the target, as a copy
    // on Windows that breaks off does.
    void failCall(int k, CallFault fault = CallFault::Fail,
                  const std::string& folder = "") override;
    int calls() const override { return calls_; }

    bool caseSensitive = false;

  private:
    struct Node {
        std::string name; // last path component, as created
        bool isFolder = false;
        std::string bytes;
        std::uint64_t order = 0;
    };

    std::vector<std::string> components(const std::string& path) const;
    std::string key(const std::string& path) const;
    static std::string parentKey(const std::string& key);
    const Node* find(const std::string& path) const;
    Node* findFile(const std::string& path);
    bool parentIsFolder(const std::string& k) const;
    void create(const std::string& path, bool isFolder, const std::string& bytes);
    void eraseTree(const std::string& k);
    bool spaceFor(std::uint64_t size);
    std::vector<std::string> children(const std::string& k, bool folders,
                                      const std::string& pattern) const;

    std::map<std::string, Node> nodes_; // keyed by the normalized, lower-case path
    std::uint64_t nextOrder_ = 0;
    std::string current_;
    std::vector<std::string> currentParts_;
    int removes_ = 0, copies_ = 0, writes_ = 0;
    // Counts the call; true when it is the one that fails.
    bool callFails();
    std::vector<std::pair<std::string, std::string>> copyLog_;
    int calls_ = 0, failingCall_ = 0;
    CallFault callFault_ = CallFault::Fail;
    std::string callFaultFolder_;
    std::set<std::string> readOnly_;

    std::set<std::string> failRemove_, failCopyPartial_, failRead_, failQuery_, copyShort_;
    std::map<std::string, int> failWrites_;
    int failCopyAt_ = 0; // copies_ value whose copy fails; 0 for none
    bool diskFull_ = false;
    std::optional<std::uint64_t> spaceLeft_;
    std::string vanishingFolder_; // key of the folder, empty for none
    int copiesBeforeVanish_ = 0;
};
