// tesmara-fontdesc: writes what fontconfig reads from a face (its family,
// style, weight, characters, languages...) without the face's path, after
// the face's size in bytes, so that the program can hand the face to
// fontconfig at start without fontconfig reading the whole face again.
// Run by the build with the same fontconfig the program uses.
//
//   tesmara-fontdesc <face> <description>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tesmara-fontdesc <face> <description>\n");
        return 2;
    }
    struct stat info {};
    int count = 0;
    FcPattern* face = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(argv[1]), 0, nullptr, &count);
    if (face == nullptr || stat(argv[1], &info) != 0) {
        std::fprintf(stderr, "tesmara-fontdesc: cannot read %s\n", argv[1]);
        return 1;
    }
    FcPatternDel(face, FC_FILE);
    FcChar8* text = FcNameUnparse(face);
    std::FILE* out = std::fopen(argv[2], "wb");
    const bool ok = text != nullptr && out != nullptr &&
                    std::fprintf(out, "%lld\n%s\n", static_cast<long long>(info.st_size),
                                 reinterpret_cast<const char*>(text)) > 0 &&
                    std::fclose(out) == 0;
    std::free(text);
    FcPatternDestroy(face);
    if (!ok) {
        std::fprintf(stderr, "tesmara-fontdesc: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
