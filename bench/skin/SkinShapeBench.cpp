// Time and peak memory of loading a compressed skin whose INI text has one of the shapes that
// once made the loader slow or hungry, for growing text sizes:
//
//   count       list sections whose "count" is 2147483647, with entries filling the text
//   onesection  many list entries that all name one section of many lines
//   emptylines  a complete skin followed by megabytes of empty lines
//   longlines   a few lines each a quarter of the text (key, value, rect, section name)
//   longvalue   one long "fontname" value read by many entries (each data object keeps a copy)
//
// Each case runs in a child process: it builds the compressed skin, resets its peak memory
// mark, loads the skin into a skin data object (as "skinpack dump" does) and reports the
// time, the peak resident memory above what it held before the load, and the data objects
// made. A case that takes longer than the limit is stopped and shown as such.
//
//   skin_shape_bench [LIMIT_SECONDS] [SHAPE ...]     (default 60 s, every shape)

#include "TbsCompressedStoredSkin.h"
#include "TbsSkinData.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

const std::string kHead = "[VERSION]\r\nskinname=bench\r\n[PICTURES]\r\n[FORMINFO]\r\nclientrect=4,20,60,40\r\n";

std::string countShape(std::size_t size)
{
    std::string text = kHead + "[SKINOBJECTS]\r\ncount=2147483647\r\n0=caption:caption\r\n"
                       "[SKINCONTROLS]\r\ncount=2147483647\r\n";
    for (int i = 0; text.size() < size; ++i)
        text += std::to_string(i * 7) + "=panel:panel\r\n";
    return text + "[panel]\r\nskinrect=0,0,59,52\r\n";
}

std::string oneSectionShape(std::size_t size)
{
    // Half the text is the section, half the entries naming it.
    std::string text = kHead + "[SKINOBJECTS]\r\n[big]\r\n";
    for (int i = 0; text.size() < size / 2; ++i)
        text += "k" + std::to_string(i) + "=1\r\n";
    text += "skinrect=1,2,3,4\r\n[SKINCONTROLS]\r\ncount=2147483647\r\n";
    for (int i = 0; text.size() < size; ++i)
        text += std::to_string(i) + "=big:panel\r\n";
    return text;
}

std::string emptyLinesShape(std::size_t size)
{
    std::string text = kHead + "[SKINOBJECTS]\r\ncount=1\r\n0=caption:caption\r\n"
                       "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\nskinrect=0,0,59,52\r\n";
    text.append(size > text.size() ? size - text.size() : 0, '\n');
    return text;
}

std::string longLinesShape(std::size_t size)
{
    // A section name, a key, a value and a rect each a good part of the text.
    const std::string name(size / 16, 's');
    std::string text = kHead + "[SKINOBJECTS]\r\ncount=4\r\n";
    for (int i = 0; i < 4; ++i)
        text += std::to_string(i) + "=" + name + ":caption\r\n";
    text += "[SKINCONTROLS]\r\n[" + name + "]\r\n";
    text += std::string(size / 8, 'k') + "=1\r\n";
    text += "hint=" + std::string(size / 4, 'h') + "\r\n";
    text += "skinrect=1," + std::string(size / 4, ' ') + "2,3,4\r\n";
    return text;
}

std::string longValueShape(std::size_t size)
{
    std::string text = kHead + "[SKINOBJECTS]\r\n[SKINCONTROLS]\r\ncount=2147483647\r\n";
    const std::size_t entries = size / 2;
    for (int i = 0; text.size() < entries; ++i)
        text += std::to_string(i) + "=f:label\r\n";
    text += "[f]\r\nfontname=" + std::string(size > text.size() ? size - text.size() : 0, 'F') + "\r\n";
    return text;
}

struct Shape {
    const char* name;
    std::string (*make)(std::size_t);
};

const Shape kShapes[] = {{"count", countShape},
                         {"onesection", oneSectionShape},
                         {"emptylines", emptyLinesShape},
                         {"longlines", longLinesShape},
                         {"longvalue", longValueShape}};

long statusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return -1;
}

struct Result {
    double ms;
    long peakKb;
    long objects;
};

// In the child: build, load, report through the pipe.
Result runCase(const Shape& shape, std::size_t size)
{
    TbsCompressedStoredSkin compressed;
    {
        QByteArray content("\x01\x00\x00\x00\x01\x01\x01\x00\x00\x00\x00", 11);
        const std::string text = shape.make(size);
        content.append(text.data(), qsizetype(text.size()));
        // The fastest level: only the load is measured, and level 9 would spend the time limit
        // on packing the largest texts.
        uLongf length = compressBound(uLong(content.size()));
        QByteArray packed(qsizetype(length), Qt::Uninitialized);
        if (compress2(reinterpret_cast<Bytef*>(packed.data()), &length,
                      reinterpret_cast<const Bytef*>(content.constData()), uLong(content.size()), 1) != Z_OK)
            _exit(2);
        packed.truncate(qsizetype(length));
        compressed.setCompressedData(packed);
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak mark to the present size
    const long before = statusKb("VmRSS:");
    TbsSkinData skin;
    const auto start = std::chrono::steady_clock::now();
    skin.LoadFromCompressedStoredSkin(compressed);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return {ms, statusKb("VmHWM:") - before, long(skin.ObjectDataList().size() + skin.ControlDataList().size())};
}

} // namespace

int main(int argc, char** argv)
{
    int limit = 60;
    std::vector<const Shape*> shapes;
    for (int i = 1; i < argc; ++i) {
        bool matched = false;
        for (const Shape& s : kShapes)
            if (std::strcmp(argv[i], s.name) == 0) {
                shapes.push_back(&s);
                matched = true;
            }
        if (!matched)
            limit = std::max(1, std::atoi(argv[i]));
    }
    if (shapes.empty())
        for (const Shape& s : kShapes)
            shapes.push_back(&s);

    const std::size_t sizes[] = {64 * 1024, 128 * 1024, 256 * 1024, 1024 * 1024, 8 * 1024 * 1024, 64 * 1024 * 1024 - 64};
    std::printf("%-11s %10s %12s %14s %10s %10s\n", "shape", "text", "load ms", "peak extra KB", "KB/KB", "objects");
    for (const Shape* shape : shapes) {
        for (std::size_t size : sizes) {
            int fds[2];
            if (pipe(fds) != 0)
                return 1;
            std::fflush(stdout);
            const pid_t child = fork();
            if (child == 0) {
                close(fds[0]);
                alarm(unsigned(limit));
                const Result r = runCase(*shape, size);
                if (write(fds[1], &r, sizeof r) != ssize_t(sizeof r))
                    _exit(1);
                _exit(0);
            }
            close(fds[1]);
            Result r{};
            const bool got = read(fds[0], &r, sizeof r) == ssize_t(sizeof r);
            close(fds[0]);
            int status = 0;
            waitpid(child, &status, 0);
            const double kb = double(size) / 1024.0;
            if (got)
                std::printf("%-11s %9.0fK %12.1f %14ld %10.1f %10ld\n", shape->name, kb, r.ms, r.peakKb,
                            double(r.peakKb) / kb, r.objects);
            else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
                std::printf("%-11s %9.0fK %12s %14s\n", shape->name, kb, "> limit", "-");
            else
                std::printf("%-11s %9.0fK %12s (child ended with status %d)\n", shape->name, kb, "failed", status);
            if (!got)
                break; // larger sizes of this shape would only take longer
        }
    }
    return 0;
}
