// Profile store benchmark: the cost of adding one item to the launcher list
// and of loading the list, for lists of 100, 1,000 and 10,000 items.
//
// "add" is the command as the program runs it: the new item's section gets
// its "Filename", then the whole index is written again (n + 1 numbered keys
// and "Count"), all inside one ProfileEdit, so the file is read once and
// replaced once (write, fsync, rename, folder fsync).
//
// The reference is the naive way: every one of those writes a writeProfileValue call
// of its own, each reading, parsing and atomically replacing the whole file.
// "load" compares readListIndex over one ProfileSnapshot with one readProfileValue per
// key, each re-reading the file.
//
// Usage: ombrel_profile_bench [--dir FOLDER] [--sizes N,N,...] [--quick] [--full-naive]
//   --dir         where the temporary files go (default: the system temp folder)
//   --sizes       the list sizes to run (default: 100,1000,10000)
//   --quick       fewer repetitions
//   --full-naive  run the naive strategy completely for 10,000 items too,
//                 instead of timing a sample of its calls and extrapolating

#include "core/launcher/ListIndex.h"
#include "core/profile/Profile.h"
#include "platform/CoreServices.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const CoreServices& services()
{
    static const CoreServices made = makeCoreServices();
    return made;
}

ProfileAccess access()
{
    return {*services().files, *services().codePage};
}

std::string text(const QString& q)
{
    return q.toStdString();
}

std::vector<std::string> texts(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& q : list)
        out.push_back(q.toStdString());
    return out;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

double minimum(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "profile_bench: %s\n", what.c_str());
    std::exit(1);
}

QString itemName(int i)
{
    return QStringLiteral("● 常用程序 %1").arg(i);
}

QString itemPath(int i)
{
    return QStringLiteral("D:\\Program Files\\工具箱\\程序%1\\tool%1.exe").arg(i);
}

// A profile holding a list of n items, laid out the way the add command
// leaves it: the index section with "Count" and the numbered keys, and one
// section per item holding its "Filename". GBK, CRLF.
QByteArray listProfile(int n)
{
    QString text;
    text.reserve(n * 80);
    text += QStringLiteral("[标题]\r\nCount=%1\r\n").arg(n);
    for (int i = 0; i < n; ++i)
        text += QString::fromStdString(listKey(std::size_t(i))) + QLatin1Char('=') + itemName(i) + QStringLiteral("\r\n");
    for (int i = 0; i < n; ++i)
        text += QLatin1Char('[') + itemName(i) + QStringLiteral("]\r\nFilename=") + itemPath(i)
                + QStringLiteral("\r\n");
    return QByteArray::fromStdString(services().codePage->encode(text.toStdString()));
}

// Puts the profile back as it was before a timed run, flushed to disk, so
// that the run's own fsync does not also pay for writing this copy out.
void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush() || ::fsync(file.handle()) != 0)
        fail("cannot write " + path.toStdString());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read " + path.toStdString());
    return file.readAll();
}

// The writes of one "add" to a list that holds `entries`, in the order the
// command makes them. Calls write(section, key, value) for each; stops after
// `limit` writes when limit >= 0.
template <typename Write>
void addWrites(const QStringList& entries, Write&& write, qsizetype limit = -1)
{
    const qsizetype n = entries.size();
    const int newItem = int(n);
    qsizetype done = 0;
    const auto more = [&] { return limit < 0 || done < limit; };

    if (!more())
        return;
    write(itemName(newItem), QStringLiteral("Filename"), itemPath(newItem));
    ++done;
    for (qsizetype i = 0; i <= n && more(); ++i, ++done)
        write(QString::fromStdString(kTitleSection), QString::fromStdString(listKey(std::size_t(i))),
              i < n ? entries[i] : itemName(newItem));
    if (more()) {
        write(QString::fromStdString(kTitleSection), QString::fromStdString(kCountKey), QString::number(n + 1));
        ++done;
    }
}

qsizetype addWriteCount(qsizetype n)
{
    return n + 3;  // Filename, n + 1 numbered keys, Count
}

struct AddPhases {
    double total = 0;
    double readParse = 0;
    double writes = 0;
    double commit = 0;
};

AddPhases batchedAdd(const QString& path, const QStringList& entries)
{
    AddPhases t;
    const auto start = Clock::now();
    ProfileEdit edit(access(), text(path));
    t.readParse = msSince(start);
    const auto writesStart = Clock::now();
    addWrites(entries, [&](const QString& s, const QString& k, const QString& v) { edit.writeProfileValue(text(s), text(k), text(v)); });
    t.writes = msSince(writesStart);
    const auto commitStart = Clock::now();
    const ProfileResult result = edit.commit();
    t.commit = msSince(commitStart);
    t.total = msSince(start);
    if (!result.ok())
        fail("commit failed: " + result.reason);
    return t;
}

// Runs the first `limit` writes of the add (all of them when limit < 0) the
// naive way; returns the elapsed milliseconds.
double naiveAdd(const QString& path, const QStringList& entries, qsizetype limit = -1)
{
    const auto start = Clock::now();
    addWrites(
        entries,
        [&](const QString& s, const QString& k, const QString& v) {
            const ProfileResult result = writeProfileValue(access(), text(s), text(k), text(v), text(path));
            if (!result.ok())
                fail("writeProfileValue failed: " + result.reason);
        },
        limit);
    return msSince(start);
}

struct LoadPhases {
    double total = 0;
    double readParse = 0;
    double lookups = 0;
    qsizetype count = 0;
};

LoadPhases batchedLoad(const QString& path)
{
    LoadPhases t;
    const auto start = Clock::now();
    const ProfileSnapshot snapshot(access(), text(path));
    t.readParse = msSince(start);
    const auto lookupStart = Clock::now();
    const std::vector<std::string> entries = readListIndex(snapshot);
    t.lookups = msSince(lookupStart);
    t.total = msSince(start);
    t.count = qsizetype(entries.size());
    return t;
}

// The naive load: "Count", then one readProfileValue per numbered key, each one reading
// and parsing the file again. Stops after `limit` reads when limit >= 0.
double naiveLoad(const QString& path, qsizetype* countOut = nullptr, qsizetype limit = -1)
{
    const auto start = Clock::now();
    const std::string file = text(path);
    const qsizetype count = qsizetype(listCount(readProfileValue(access(), kTitleSection, kCountKey, file)));
    const qsizetype keys = limit < 0 ? count : std::min(count, std::max<qsizetype>(limit - 1, 0));
    std::vector<std::string> entries;
    entries.reserve(std::size_t(keys));
    for (qsizetype i = 0; i < keys; ++i)
        entries.push_back(readProfileValue(access(), kTitleSection, listKey(std::size_t(i)), file));
    const double ms = msSince(start);
    if (countOut)
        *countOut = qsizetype(entries.size());
    return ms;
}

struct Options {
    QString dir;
    std::vector<int> sizes{100, 1000, 10000};
    bool quick = false;
    bool fullNaive = false;
};

struct SizeResult {
    int n = 0;
    qint64 fileBytes = 0;
    AddPhases add;          // medians
    double addMin = 0;
    int addRuns = 0;
    double naiveAdd = 0;    // median, full command (measured or extrapolated)
    int naiveAddRuns = 0;
    qsizetype naiveAddSample = 0;  // writes per sampled run, 0 when measured whole
    LoadPhases load;        // medians
    int loadRuns = 0;
    double naiveLoad = 0;
    int naiveLoadRuns = 0;
    qsizetype naiveLoadSample = 0;
};

SizeResult runSize(int n, const QString& folder, const Options& opt)
{
    SizeResult r;
    r.n = n;
    const QString path = QDir(folder).filePath(QStringLiteral("list%1.ini").arg(n));
    const QByteArray base = listProfile(n);
    r.fileBytes = base.size();
    writeBytes(path, base);

    QStringList entries;
    for (int i = 0; i < n; ++i)
        entries.append(itemName(i));
    if (readListIndex(ProfileSnapshot(access(), text(path))) != texts(entries))
        fail("the generated profile does not read back as its list");

    // The batched add once more by hand, as the reference result: the naive
    // run must give the same bytes.
    writeBytes(path, base);
    batchedAdd(path, entries);
    const QByteArray expected = readBytes(path);
    {
        QStringList grown = entries;
        grown.append(itemName(n));
        if (readListIndex(ProfileSnapshot(access(), text(path))) != texts(grown))
            fail("the add did not leave n + 1 items");
    }

    // --- add, batched ---
    const int addRuns = opt.quick ? 11 : (n <= 1000 ? 101 : 31);
    std::vector<double> total, readParse, writes, commit;
    for (int run = -2; run < addRuns; ++run) {  // two warm-up runs
        writeBytes(path, base);
        const AddPhases t = batchedAdd(path, entries);
        if (run < 0)
            continue;
        total.push_back(t.total);
        readParse.push_back(t.readParse);
        writes.push_back(t.writes);
        commit.push_back(t.commit);
    }
    r.add = {median(total), median(readParse), median(writes), median(commit)};
    r.addMin = minimum(total);
    r.addRuns = addRuns;

    // --- add, naive ---
    const qsizetype allWrites = addWriteCount(n);
    const bool sampleAdd = n > 1000 && !opt.fullNaive;
    const qsizetype addSample = sampleAdd ? 500 : -1;
    const int naiveAddRuns = opt.quick ? 1 : (n <= 100 ? 21 : n <= 1000 ? 5 : sampleAdd ? 5 : 1);
    std::vector<double> naive;
    for (int run = 0; run < naiveAddRuns; ++run) {
        writeBytes(path, base);
        const double ms = naiveAdd(path, entries, addSample);
        naive.push_back(sampleAdd ? ms * double(allWrites) / double(addSample) : ms);
        if (!sampleAdd && readBytes(path) != expected)
            fail("the naive add gave other bytes than the batched one");
    }
    r.naiveAdd = median(naive);
    r.naiveAddRuns = naiveAddRuns;
    r.naiveAddSample = sampleAdd ? addSample : 0;

    // --- load ---
    writeBytes(path, base);
    const int loadRuns = opt.quick ? 11 : (n <= 1000 ? 201 : 51);
    std::vector<double> lt, lr, ll;
    for (int run = -2; run < loadRuns; ++run) {
        const LoadPhases t = batchedLoad(path);
        if (t.count != n)
            fail("the load read a wrong count");
        if (run < 0)
            continue;
        lt.push_back(t.total);
        lr.push_back(t.readParse);
        ll.push_back(t.lookups);
    }
    r.load = {median(lt), median(lr), median(ll), n};
    r.loadRuns = loadRuns;

    // --- load, naive ---
    const qsizetype allReads = n + 1;  // Count and n numbered keys
    const bool sampleLoad = n > 1000 && !opt.fullNaive;
    const qsizetype loadSample = sampleLoad ? 500 : -1;
    const int naiveLoadRuns = opt.quick ? 1 : (n <= 100 ? 21 : n <= 1000 ? 5 : sampleLoad ? 5 : 1);
    std::vector<double> nl;
    for (int run = 0; run < naiveLoadRuns; ++run) {
        qsizetype got = 0;
        const double ms = naiveLoad(path, &got, loadSample);
        if (!sampleLoad && got != n)
            fail("the naive load read a wrong count");
        nl.push_back(sampleLoad ? ms * double(allReads) / double(loadSample) : ms);
    }
    r.naiveLoad = median(nl);
    r.naiveLoadRuns = naiveLoadRuns;
    r.naiveLoadSample = sampleLoad ? loadSample : 0;

    QFile::remove(path);
    return r;
}

const char* verdict(bool ok)
{
    return ok ? "met" : "MISSED";
}

void report(const std::vector<SizeResult>& results, const QString& folder)
{
    const QStorageInfo storage(folder);
    std::printf("Profile store benchmark (median of repeated runs, milliseconds)\n");
    std::printf("temp folder: %s (%s on %s)\n\n", qPrintable(folder), storage.fileSystemType().constData(),
                storage.device().constData());

    std::printf("ADD ONE ITEM (new Filename + n+1 index keys + Count = n+3 writes)\n");
    std::printf("%8s %10s | %9s %9s %9s %9s %8s | %12s %-14s | %9s\n", "items", "file B", "batched",
                "read+prs", "writes", "commit", "min", "naive", "(runs)", "ratio");
    for (const SizeResult& r : results) {
        char runs[32];
        if (r.naiveAddSample)
            std::snprintf(runs, sizeof runs, "(%dx%lld-extr)", r.naiveAddRuns, (long long)r.naiveAddSample);
        else
            std::snprintf(runs, sizeof runs, "(%dx full)", r.naiveAddRuns);
        std::printf("%8d %10lld | %9.3f %9.3f %9.3f %9.3f %8.3f | %12.1f %-14s | %8.0fx\n", r.n,
                    (long long)r.fileBytes, r.add.total, r.add.readParse, r.add.writes, r.add.commit, r.addMin,
                    r.naiveAdd, runs, r.naiveAdd / r.add.total);
    }
    std::printf("  batched: %s runs per size; commit = serialize + write + fsync + rename + folder fsync\n",
                results.empty() ? "" : (results.front().addRuns == 11 ? "11" : "101 (31 for 10,000)"));
    std::printf("  naive:   one writeProfileValue per write, each reading, parsing and replacing the file;\n"
                "           'NxK-extr' = N runs of the first K writes, scaled to n+3 writes (extrapolated)\n\n");

    std::printf("LOAD THE LIST (Count + n keys)\n");
    std::printf("%8s | %9s %9s %9s | %12s %-14s | %9s\n", "items", "snapshot", "read+prs", "lookups", "naive",
                "(runs)", "ratio");
    for (const SizeResult& r : results) {
        char runs[32];
        if (r.naiveLoadSample)
            std::snprintf(runs, sizeof runs, "(%dx%lld-extr)", r.naiveLoadRuns, (long long)r.naiveLoadSample);
        else
            std::snprintf(runs, sizeof runs, "(%dx full)", r.naiveLoadRuns);
        std::printf("%8d | %9.3f %9.3f %9.3f | %12.1f %-14s | %8.0fx\n", r.n, r.load.total, r.load.readParse,
                    r.load.lookups, r.naiveLoad, runs, r.naiveLoad / r.load.total);
    }
    std::printf("  snapshot: readListIndex(ProfileSnapshot(path)); naive: readProfileValue(section, key, path) per key\n\n");

    std::printf("TARGETS\n");
    for (const SizeResult& r : results) {
        if (r.n == 1000) {
            std::printf("  add, 1,000 items: %.3f ms (target < 3 ms): %s\n", r.add.total, verdict(r.add.total < 3));
            const double ratio = r.naiveAdd / r.add.total;
            std::printf("  add, 1,000 items vs naive: %.0fx (target >= 300x): %s\n", ratio, verdict(ratio >= 300));
        }
        if (r.n == 10000)
            std::printf("  add, 10,000 items: %.3f ms (target < 15 ms): %s\n", r.add.total,
                        verdict(r.add.total < 15));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Options opt;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            opt.dir = args[++i];
        else if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            opt.sizes.clear();
            for (const QString& part : args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                const int n = part.toInt(&ok);
                if (!ok || n < 1 || n > 30000)
                    fail("a size must be a number from 1 to 30,000");
                opt.sizes.push_back(n);
            }
        } else if (args[i] == QLatin1String("--quick"))
            opt.quick = true;
        else if (args[i] == QLatin1String("--full-naive"))
            opt.fullNaive = true;
        else {
            std::fprintf(stderr, "usage: %s [--dir FOLDER] [--sizes N,N,...] [--quick] [--full-naive]\n",
                         argv[0]);
            return 2;
        }
    }

    QTemporaryDir temp(opt.dir.isEmpty() ? QDir::tempPath() + QStringLiteral("/ombrel-bench-XXXXXX")
                                         : QDir(opt.dir).filePath(QStringLiteral("ombrel-bench-XXXXXX")));
    if (!temp.isValid())
        fail("cannot make a temporary folder");

    std::vector<SizeResult> results;
    for (int n : opt.sizes) {
        std::fprintf(stderr, "profile_bench: %d items ...\n", n);
        results.push_back(runSize(n, temp.path(), opt));
    }
    report(results, temp.path());
    return 0;
}
