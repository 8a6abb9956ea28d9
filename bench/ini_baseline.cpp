// The least a program can do to read an INI file as a whole process: a bare C parser that
// calls back for every key and keeps nothing. The command-line benchmark measures against it.
#include <cstdio>

#include <ini.h>

namespace {

int countKey(void* user, const char*, const char*, const char*) {
    ++*static_cast<long*>(user);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    long keys = 0;
    if (ini_parse(argv[1], countKey, &keys) != 0) return 1;
    std::printf("%ld\n", keys);
    return 0;
}
