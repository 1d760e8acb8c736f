// Start-up cost of the skin in force: loading the main window's compressed skin into a skin
// data object (inflate, pictures, INI text, data objects, notifications to one form).
// Prints the whole load and its steps measured apart, as median and best of N runs.
//
//   skin_load_bench [RUNS]        (default 200)

#include "SkinMessages.h"
#include "SkinZlib.h"
#include "StoredSkins.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinData.h"
#include "TbsSkinForms.h"
#include "TbsSkinIni.h"
#include "TbsSkinPictures.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double median, best, mean;
};

Figures measure(int runs, const std::function<void()>& step)
{
    std::vector<double> ms;
    ms.reserve(std::size_t(runs));
    step(); // warm-up
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {ms[ms.size() / 2], ms.front(), sum / double(ms.size())};
}

void print(const char* name, const Figures& f)
{
    std::printf("%-34s median %8.3f ms   best %8.3f ms   mean %8.3f ms\n", name, f.median, f.best, f.mean);
}

// A form that takes the three messages, as the main window's frame does.
struct Form : ISkinMessageTarget {
    int messages = 0;
    void skinMessage(int, TbsSkinData*, int) override { ++messages; }
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    TbsCompressedStoredSkin compressed;
    StoredSkins::fill(compressed);
    const QByteArray content = compressed.Decompress();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.constData());
    std::size_t picturesLength = 0;
    TbsSkinPictures::read(bytes + 4, std::size_t(content.size()) - 4, &picturesLength);
    const std::string_view text(content.constData() + 4 + picturesLength, std::size_t(content.size()) - 4 - picturesLength);
    const TbsSkinIni ini = TbsSkinIni::fromText(text);

    std::printf("compressed skin: %lld bytes, content %lld bytes (INI text %zu bytes), %d runs\n",
                static_cast<long long>(compressed.compressedData().size()), static_cast<long long>(content.size()),
                text.size(), runs);

    Form form;
    TComponent owner;
    TbsSkinForms::add(&owner, &form);
    TbsSkinData skin(&owner);
    print("whole load (LoadFromCompressed...)", measure(runs, [&] { skin.LoadFromCompressedStoredSkin(compressed); }));
    print("  inflate", measure(runs, [&] { (void)compressed.Decompress(); }));
    print("  pictures (BMP decode)", measure(runs, [&] {
              (void)TbsSkinPictures::read(bytes + 4, std::size_t(content.size()) - 4);
          }));
    print("  INI text parse", measure(runs, [&] { (void)TbsSkinIni::fromText(text); }));
    print("  data objects (section load)", measure(runs, [&] {
              std::vector<std::unique_ptr<TbsSkinSectionData>> objects;
              TbsFormInfo info;
              info.LoadFromIni(ini);
              for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
                  const int count = ini.readInteger(list, "count", 0);
                  for (int i = 0; i < count; ++i) {
                      const std::string entry = ini.readString(list, std::to_string(i));
                      const std::size_t colon = entry.find(':');
                      if (colon == std::string::npos)
                          continue;
                      std::unique_ptr<TbsSkinSectionData> o;
                      if (std::string(list) == "SKINOBJECTS")
                          o = TbsSkinData::createObjectData(entry.substr(colon + 1), entry.substr(0, colon));
                      else
                          o = TbsSkinData::createControlData(entry.substr(colon + 1), entry.substr(0, colon));
                      if (o) {
                          o->LoadFromIni(ini);
                          objects.push_back(std::move(o));
                      }
                  }
              }
          }));
    TbsSkinForms::remove(&form);
    std::printf("messages received by the form: %d (3 per load)\n", form.messages);
    return 0;
}
