#pragma once
// The Linux file layer on a real folder, seen as the fakes are: the logic's Windows paths
// ("C:\Games\Descent3\x") lie below a root folder ("<root>/C:/Games/Descent3/x"), each name
// found regardless of case, as Wine finds it; setting up, inspecting and the k-th call faults as
// FakeFiles offers them. The faults are real where the file system can give them: a copy or a
// write that breaks off halfway runs into a file size limit (RLIMIT_FSIZE), a folder that
// vanishes is removed from the disk.
#include <filesystem>

#include "platform/linux/linux.h"
#include "tests/support/fake_files.h"

class DiskFiles : public TestFiles {
  public:
    explicit DiskFiles(const std::filesystem::path& root);
    ~DiskFiles() override;

    bool list(const std::string& folder, const std::string& pattern,
              std::vector<std::string>& names) override;
    bool listFolders(const std::string& folder, std::vector<std::string>& names) override;
    Presence presence(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
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
    std::string currentFolder() override { return current_; }
    std::vector<std::string> drives() override;
    bool sameName(const std::string& a, const std::string& b) override {
        return platform::sameNameIgnoringCase(a, b);
    }

    void addFolder(const std::string& path) override;
    void addFile(const std::string& path, const std::string& bytes = "") override;
    // Takes the write permission away.
    void readOnly(const std::string& path) override;
    std::optional<std::string> content(const std::string& path) const override;
    bool has(const std::string& path) const override;
    std::map<std::string, std::string> snapshot() const override;
    const std::vector<std::pair<std::string, std::string>>& copyLog() const override {
        return copyLog_;
    }
    int calls() const override { return calls_; }
    void failCall(int k, CallFault fault = CallFault::Fail,
                  const std::string& folder = "") override;

  private:
    // Where a path of the logic lies on the disk.
    std::string real(const std::string& path) const;
    // Counts the call and tells what its fault does: none, it fails without reaching the file
    // system, it breaks off halfway (a copy or a write), it copies half and says it worked.
    enum class Call { Other, Write, Copy };
    enum class Faulted { No, Fails, Halfway, Short };
    Faulted callFails(Call kind);
    bool fails() { return callFails(Call::Other) == Faulted::Fails; }
    struct SizeLimit; // a file size limit while a call runs

    std::filesystem::path root_;
    lnx::Files files_;
    std::string current_;
    std::vector<std::pair<std::string, std::string>> copyLog_;
    int calls_ = 0, failingCall_ = 0;
    CallFault fault_ = CallFault::Fail;
    std::string faultFolder_;
};
