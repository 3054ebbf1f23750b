// read_floor FILE...: reads the first 10000 bytes of each file and nothing else, the least
// that exif-report must do for every file. Prints the number of bytes read.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  static char buffer[10000];
  long long total = 0;
  for (int i = 1; i < argc; ++i) {
    const int fd = ::open(argv[i], O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    size_t got = 0;
    while (got < sizeof buffer) {
      const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    ::close(fd);
    total += static_cast<long long>(got);
  }
  std::printf("%lld\n", total);
  return 0;
}
