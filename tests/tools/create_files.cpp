// create-files FOLDER COUNT: creates and closes COUNT empty files FOLDER/f1 ... FOLDER/fCOUNT.
// The benchmark times it beside the splitter: the part of a split that making its pieces
// costs on this machine, whatever the splitter does.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: create-files FOLDER COUNT\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  for (long i = 1; i <= count; ++i) {
    const std::string path = folder + "/f" + std::to_string(i);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fclose(file) != 0) {
      std::fprintf(stderr, "create-files: cannot create %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
