// cdstool: looks into dataset files and makes the parameter file.
//   cdstool dump FILE            print FILE as JSON Lines
//   cdstool param TITLE -o FILE  write a parameter file whose first record holds TITLE in "REP_TITLE"

#include "DatasetFile.h"
#include "Exception.h"
#include "JsonLines.h"
#include "TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;
// The title field is wide enough for a usual title; a longer one widens it rather than being cut.
constexpr int kTitleFieldSize = 50;

int usage(const char* problem)
{
    std::cerr << "cdstool: " << problem << "\n"
              << "usage: cdstool dump FILE\n"
              << "       cdstool param TITLE -o FILE\n";
    return kUsageError;
}

int dump(const std::string& path)
{
    const DataPacket packet = DatasetFile::load(path);
    std::string out = JsonLines::fieldsLine(packet) + "\n";
    for (const DataRow& row : packet.rows)
        out += JsonLines::rowLine(packet, row) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "cdstool: cannot write the output\n";
        return kFailure;
    }
    return 0;
}

int param(const std::string& titleUtf8, const std::string& path)
{
    const std::string title = TextCodec::utf8ToCp950(titleUtf8);
    DataPacket packet;
    packet.fields = {{"REP_TITLE", FieldType::String, std::max<int>(kTitleFieldSize, int(title.size())), false}};
    packet.rows = {{title}};
    DatasetFile::save(path, packet);
    return 0;
}

}

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty())
            return usage("no command given");
        if (args[0] == "dump") {
            if (args.size() != 2)
                return usage("dump takes exactly one FILE");
            return dump(args[1]);
        }
        if (args[0] == "param") {
            if (args.size() != 4 || args[2] != "-o")
                return usage("param takes TITLE -o FILE");
            return param(args[1], args[3]);
        }
        return usage(("unknown command '" + args[0] + "'").c_str());
    } catch (const Exception& e) {
        std::cerr << "cdstool: " << e.message() << "\n";
        return kFailure;
    }
}
