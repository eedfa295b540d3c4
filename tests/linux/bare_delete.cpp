// The baseline of the cleaning benchmark: in each folder given, lists the files, then unlinks
// every one whose name is not a line of the keep file. No window, no checks.
//   bare-delete KEEPFILE FOLDER...
#include <dirent.h>
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
        for (const auto& n : names)
            if (!keep.count(n)) unlink((folder + "/" + n).c_str());
    }
    return 0;
}
