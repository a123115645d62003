// Replays the kept inputs of every fuzz target without libFuzzer, so that the ordinary
// and the sanitizer test runs check each finding once fixed.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstring>

#define FUZZ_TARGET(name)                                                      \
    extern "C" int FuzzInit_##name(int *, char ***) __attribute__((weak));    \
    extern "C" int FuzzOne_##name(const uint8_t *, size_t);
#include "FuzzTargets.inc"
#undef FUZZ_TARGET

namespace {

struct Target {
    const char *name;
    int (*init)(int *, char ***);
    int (*one)(const uint8_t *, size_t);
};

const Target targets[] = {
#define FUZZ_TARGET(name) {#name, FuzzInit_##name, FuzzOne_##name},
#include "FuzzTargets.inc"
#undef FUZZ_TARGET
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARGET DIRECTORY\n", argv[0]);
        return 2;
    }
    for (const Target &t : targets) {
        if (std::strcmp(t.name, argv[1]) != 0)
            continue;
        if (t.init)
            t.init(&argc, &argv);
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        for (const QString &file : files) {
            QFile f(dir.filePath(file));
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            t.one(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        }
        std::printf("%s: %lld inputs replayed\n", t.name, static_cast<long long>(files.size()));
        return files.isEmpty() ? 1 : 0;
    }
    std::fprintf(stderr, "no fuzz target %s\n", argv[1]);
    return 2;
}
