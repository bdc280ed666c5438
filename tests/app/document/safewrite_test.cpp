#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "app/document/safewrite.h"
#include "settings/pathnames.h"
#include "fakefs.h"

using namespace vellumo;
using vellumo::testing::TFakeFs;

namespace {

const std::string kTarget = "D:\\docs\\a.txt";
constexpr std::uint32_t kHidden = 0x02, kArchive = 0x20;

struct TScenario {
    const char* Name;
    std::function<void(TFakeFs&)> Setup;
    bool Existing = true;
};

std::vector<TScenario> Scenarios()
{
    return {
        {"new file", [](TFakeFs&) {}, false},
        {"plain", [](TFakeFs& fs) { fs.Put(kTarget, "old text\r\n"); }},
        {"hidden", [](TFakeFs& fs) { fs.Put(kTarget, "old hidden", kHidden | kArchive); }},
        {"hard link",
         [](TFakeFs& fs) {
             fs.Put(kTarget, "shared");
             fs.Names["D:\\other\\b.txt"] = fs.Names[kTarget];
         }},
        {"symbolic link",
         [](TFakeFs& fs) {
             fs.Put("E:\\real\\a.txt", "linked");
             fs.Links[kTarget] = "E:\\real\\a.txt";
         }},
        {"link that cannot be resolved",
         [](TFakeFs& fs) {
             fs.Put("E:\\real\\a.txt", "linked");
             fs.Links[kTarget] = "E:\\real\\a.txt";
             fs.Unresolvable.insert(kTarget);
         }},
        {"folder takes no new file",
         [](TFakeFs& fs) {
             fs.Put(kTarget, "in a read-only folder");
             fs.FolderReadOnly = true;
         }},
        {"target locked against replacing", [](TFakeFs& fs) {
             fs.Put(kTarget, "held by another program");
             fs.Locked.insert(kTarget);
         }},
    };
}

std::string Bytes(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    return s;
}

// Checks what any write, failed or not, must leave behind.
void CheckOutcome(const TScenario& sc, const TFakeFs& before, const TFakeFs& fs, const TWriteResult& r,
                  const std::string& bytes)
{
    const std::string target = fs.Resolve(kTarget);
    const std::string old = before.Content(kTarget);
    EXPECT_EQ(fs.OpenHandles(), 0u);
    // Names beyond those there before: the new file, the complete copy a
    // failure names, and temporary files only when the result names them.
    std::size_t extra = 0;
    for (const auto& [name, body] : fs.Names)
        if (!before.Names.count(name) && name != target && name != r.Survivor) {
            ++extra;
            EXPECT_NE(std::find(r.Leftovers.begin(), r.Leftovers.end(), name), r.Leftovers.end())
                << name << " left unnamed";
        }
    EXPECT_EQ(extra, r.Leftovers.size());
    if (!fs.FailDeletes) {
        EXPECT_TRUE(r.Leftovers.empty());
    }
    if (before.Links.count(kTarget)) {
        EXPECT_EQ(fs.Links.at(kTarget), before.Links.at(kTarget));
        EXPECT_FALSE(fs.Names.count(kTarget)) << "the link became a file of its own";
    }
    if (r.Ok) {
        EXPECT_EQ(fs.Content(kTarget), bytes);
        if (sc.Existing) {
            EXPECT_EQ(fs.Names.at(target)->Attributes, before.Names.at(target)->Attributes);
        }
        if (before.Names.count("D:\\other\\b.txt")) {
            EXPECT_EQ(fs.Content("D:\\other\\b.txt"), bytes);
        }
        return;
    }
    EXPECT_NE(r.Failure, TWriteFailure::None);
    if (!r.TargetChanged) {
        EXPECT_EQ(fs.Content(kTarget), old) << "the original changed";
    } else if (sc.Existing) {
        ASSERT_FALSE(r.Survivor.empty()) << "the target was touched and no complete copy named";
        EXPECT_EQ(fs.Content(r.Survivor), bytes);
    } else {
        EXPECT_EQ(r.Failure, TWriteFailure::InPlace) << "a part of a new file stays and is not said to";
    }
}

// Every faultable step of every path, for several sizes: over a thousand writes.
TEST(SafeWrite, AFailureAtAnyStepLeavesTheOriginalOrANamedCompleteCopy)
{
    int runs = 0, failures = 0;
    for (const TScenario& sc : Scenarios()) {
        for (std::size_t size : {std::size_t(0), std::size_t(7), kSafeWriteChunk, 2 * kSafeWriteChunk + 3}) {
            const std::string bytes = Bytes(size, static_cast<unsigned>(size));
            // A clean run counts the steps.
            TFakeFs probe;
            sc.Setup(probe);
            const TWriteResult clean = SafeWriteFile(probe, kTarget, bytes);
            EXPECT_EQ(clean.Ok, probe.Locked.empty()) << sc.Name;
            for (int failAt = 1; failAt <= 2 * (probe.Steps + 1); ++failAt) {
                // The second round also fails every removal of a temporary file.
                const bool noRemoval = failAt > probe.Steps + 1;
                TFakeFs before;
                sc.Setup(before);
                TFakeFs fs;
                sc.Setup(fs);
                fs.FailAt = noRemoval ? failAt - probe.Steps - 1 : failAt;
                fs.FailDeletes = noRemoval;
                const TWriteResult r = SafeWriteFile(fs, kTarget, bytes);
                SCOPED_TRACE(std::string(sc.Name) + " size " + std::to_string(size) + " step " + std::to_string(fs.FailAt) +
                             (noRemoval ? " no removal" : ""));
                CheckOutcome(sc, before, fs, r, bytes);
                ++runs;
                failures += !r.Ok;
            }
            // A disk that fills at every point of the copy.
            for (std::size_t cap : {std::size_t(0), size / 2, size ? size - 1 : 0}) {
                TFakeFs before;
                sc.Setup(before);
                TFakeFs fs;
                sc.Setup(fs);
                fs.Capacity = cap;
                const TWriteResult r = SafeWriteFile(fs, kTarget, bytes);
                SCOPED_TRACE(std::string(sc.Name) + " disk full at " + std::to_string(cap));
                CheckOutcome(sc, before, fs, r, bytes);
                ++runs;
                failures += !r.Ok;
            }
        }
    }
    // Random faults on random texts fill the count up.
    std::mt19937 rng(14);
    const std::vector<TScenario> all = Scenarios();
    while (failures < 1100 && runs < 10000) {
        const TScenario& sc = all[rng() % all.size()];
        const std::string bytes = Bytes(rng() % 5000, rng());
        TFakeFs before;
        sc.Setup(before);
        TFakeFs fs;
        sc.Setup(fs);
        fs.FailAt = 1 + static_cast<int>(rng() % 8);
        const TWriteResult r = SafeWriteFile(fs, kTarget, bytes);
        CheckOutcome(sc, before, fs, r, bytes);
        ++runs;
        failures += !r.Ok;
    }
    std::printf("failed writes checked: %d of %d\n", failures, runs);
    EXPECT_GE(failures, 1000);
}

TEST(SafeWrite, ReadOnlyTargetsAndDevicesAreRefusedBeforeAnyStep)
{
    for (int kind = 0; kind < 3; ++kind) {  // refused before anything is written
        TFakeFs fs;
        fs.Put(kTarget, "keep", kind == 0 ? 0x21u : kArchive);
        fs.Device = kind == 1;
        const std::string path = kind == 2 ? std::string("D:\\docs\\LPT1.txt") : kTarget;
        const TWriteResult r = SafeWriteFile(fs, path, "new");
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Failure, kind == 0 ? TWriteFailure::ReadOnly : TWriteFailure::Device);
        EXPECT_EQ(fs.Steps, 0);
        EXPECT_EQ(fs.Content(kTarget), "keep");
    }
}

TEST(SafeWrite, ASaveRemovesWhatKilledSavesOfItsTargetLeftAndNothingElse)
{
    TFakeFs fs;
    fs.Put(kTarget, "old");
    const std::vector<std::string> ours = {"D:\\docs\\~vla.txt.0badf00d.tmp", "D:\\docs\\~VLA.TXT.0000BEEF.TMP"};
    const std::vector<std::string> others = {
        "D:\\docs\\~vlb.txt.0badf00d.tmp",       // another document's
        "D:\\docs\\~vla.txt.notmine1.tmp",       // the pattern, not its number
        "D:\\docs\\~vla.txt.0badf00d.tmp.keep",  // longer
        "D:\\docs\\~vla.txt.0badf00.tmp",        // shorter
        "D:\\docs\\sub\\~vla.txt.0badf00d.tmp", // another folder
        "D:\\docs\\~vla.txt.0badf00d.txt",
    };
    for (const std::string& n : ours) fs.Put(n, "half a save");
    for (const std::string& n : others) fs.Put(n, "someone's");

    // A failed save removes nothing of what was there.
    fs.Locked.insert(kTarget);
    EXPECT_FALSE(SafeWriteFile(fs, kTarget, "new").Ok);
    for (const std::string& n : ours) EXPECT_TRUE(fs.Names.count(n)) << n;

    fs.Locked.clear();
    ASSERT_TRUE(SafeWriteFile(fs, kTarget, "new").Ok);
    EXPECT_EQ(fs.Content(kTarget), "new");
    for (const std::string& n : ours) EXPECT_FALSE(fs.Names.count(n)) << n;
    for (const std::string& n : others) EXPECT_TRUE(fs.Names.count(n)) << n;
    EXPECT_EQ(fs.Names.size(), 1 + others.size());
}

TEST(SafeWrite, TemporaryNamesTellTheirTarget)
{
    EXPECT_EQ(TempNamePrefix(kTarget), "~vla.txt.");
    EXPECT_TRUE(IsTempNameFor("~vla.txt.12345678.tmp", kTarget));
    EXPECT_FALSE(IsTempNameFor("~vla.txt.12345678.tmp", "D:\\docs\\a.tx"));
    // A name that would not fit beside its target is stood for by a number,
    // the same for the name in any case, another for another name.
    const std::string folder = "D:\\" + std::string(200, 'f') + "\\";
    const std::string longName = folder + std::string(50, 'n') + ".txt";
    const std::string prefix = TempNamePrefix(longName);
    ASSERT_EQ(prefix.size(), 13u) << prefix;
    EXPECT_EQ(prefix.compare(0, 4, "~vl#"), 0) << prefix;
    EXPECT_LE(folder.size() + prefix.size() + 12, kMaxPathBytes);
    EXPECT_EQ(TempNamePrefix(folder + std::string(50, 'N') + ".TXT"), prefix);
    EXPECT_NE(TempNamePrefix(folder + std::string(50, 'm') + ".txt"), prefix);
    EXPECT_TRUE(IsTempNameFor(prefix + "0000abcd.tmp", longName));
}

} // namespace
