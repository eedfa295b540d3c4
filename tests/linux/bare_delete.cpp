// The baseline of the cleaning benchmark: in each folder given, lists the files, then stats
// every one whose name is not a line of the keep file and unlinks it when it is a regular file
// with a write bit, the least a cleaning that keeps read-only files does. No window, no other
// checks.
//   bare-delete KEEPFILE FOLDER...
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) return 64;
    std::unordered_set<std::string> keep;
    std::ifstream in(argv[1]);
    for (std::string line; std::getline(in, line);) keep.insert(line);
    for (int i = 2; i < argc; ++i) {
        const std::string folder = argv[i];
        std::vector<std::string> names;
        if (DIR* d = opendir(folder.c_str())) {
            while (const dirent* e = readdir(d))
                if (e->d_type == DT_REG) names.push_back(e->d_name);
            closedir(d);
        }
        for (const auto& n : names) {
            if (keep.count(n)) continue;
            const std::string path = folder + "/" + n;
            struct stat s;
            if (lstat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && (s.st_mode & 0222))
                unlink(path.c_str());
        }
    }
    return 0;
}
