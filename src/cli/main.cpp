// vurn-batch: the program's main job without a window.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "platform/host_paths.h"
#ifdef VURN_BATCH_PICTURES
#include "gui/plots.h"
constexpr BatchPictureWriter kPictures = Plots_writeRunPictures;
#else
constexpr BatchPictureWriter kPictures = nullptr;
#endif

int main(int argc, char** argv) {
  char self[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  HostProgram_set(length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string(argv[0]));
  return Batch_main(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, kPictures);
}
