// SPDX-License-Identifier: MIT
// The loader of the exact module refuses, without crashing or blocking, every
// file that is not this build's module: missing, not a regular file, cut
// short, for another computer, not loadable, without a table or with another
// version's. When no module is taken, every exact answer is "not found" and
// one English line on standard error says which files were tried and why.

#include "exact_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

using Exact::ModuleStatus;

namespace {

const QString kModule = QStringLiteral(KALVORA_EXACT_MODULE_PATH);
const QString kFake = QStringLiteral(KALVORA_FAKE_MODULE_PATH);
const QString kUnloadable = QStringLiteral(KALVORA_UNLOADABLE_MODULE_PATH);

// What the child prints: the determinant of a 2 × 2 matrix the module gives.
constexpr char kChild[] = "KALVORA_EXACT_LIBRARY_CHILD";

QByteArray ModuleBytes()
{
    QFile file(kModule);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The module with one byte of its ELF header replaced.
QByteArray Patched(qsizetype offset, char value)
{
    QByteArray bytes = ModuleBytes();
    bytes[offset] = value;
    return bytes;
}

// The file the C library lives in: loadable, but no exact module.
QString CLibrary()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&dlopen), &info);
    return QString::fromLocal8Bit(info.dli_fname);
}

enum class Make {
    Nothing,
    Bytes,
    Folder,
    Fifo,
    Unreadable,
    Link, // a symbolic link to the module
    Copy, // the path given as is
};

} // namespace

Q_DECLARE_METATYPE(Make)
Q_DECLARE_METATYPE(ModuleStatus)

class TestExactLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!ModuleBytes().isEmpty()); }
    void checks_data();
    void checks();
    void relativeName();
    void reasonsInEnglish();
    void line_data();
    void line();
    void program_data();
    void program();
    void refusedThenTaken();

private:
    QTemporaryDir dir_;
};

void TestExactLibrary::checks_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<QByteArray>("bytes"); // for Make::Bytes
    QTest::addColumn<QString>("path"); // for Make::Copy
    QTest::addColumn<QByteArray>("stamp"); // what the fake module's entry gives
    QTest::addColumn<ModuleStatus>("status");
    QTest::addColumn<QString>("reason");

    const QByteArray module = ModuleBytes();
    const QString notFound = QStringLiteral("not found");
    const QString notElf = QStringLiteral("not a complete ELF object");
    const QString notRegular = QStringLiteral("not a regular file");
    const QString otherMachine = QStringLiteral("built for another kind of computer");
    const QString otherVersion = QStringLiteral("built for another version of Kalvora");
    const auto bytes = [&](const char* name, const QByteArray& content, ModuleStatus status, const QString& reason) {
        QTest::newRow(name) << Make::Bytes << content << QString() << QByteArray() << status << reason;
    };
    const auto fake = [&](const char* name, const QByteArray& stamp, ModuleStatus status, const QString& reason) {
        QTest::newRow(name) << Make::Copy << QByteArray() << kFake << stamp << status << reason;
    };

    QTest::newRow("the module") << Make::Copy << QByteArray() << kModule << QByteArray() << ModuleStatus::Loaded
                                << "loaded";
    QTest::newRow("a link to the module")
        << Make::Link << QByteArray() << QString() << QByteArray() << ModuleStatus::Loaded << "loaded";
    QTest::newRow("missing") << Make::Nothing << QByteArray() << QString() << QByteArray() << ModuleStatus::NotFound
                             << notFound;
    QTest::newRow("in a missing folder") << Make::Copy << QByteArray() << dir_.filePath("none/kalvora-exact.so")
                                         << QByteArray() << ModuleStatus::NotFound << notFound;
    QTest::newRow("a folder") << Make::Folder << QByteArray() << QString() << QByteArray()
                              << ModuleStatus::NotRegularFile << notRegular;
    QTest::newRow("a FIFO") << Make::Fifo << QByteArray() << QString() << QByteArray() << ModuleStatus::NotRegularFile
                            << notRegular;
    QTest::newRow("a character device") << Make::Copy << QByteArray() << "/dev/zero" << QByteArray()
                                        << ModuleStatus::NotRegularFile << notRegular;
    QTest::newRow("unreadable") << Make::Unreadable << QByteArray() << QString() << QByteArray()
                                << ModuleStatus::Unreadable << "could not be read";

    bytes("empty", {}, ModuleStatus::NotCompleteElf, notElf);
    bytes("text", "not a module\n", ModuleStatus::NotCompleteElf, notElf);
    bytes("the ELF header alone", module.first(sizeof(ElfW(Ehdr))), ModuleStatus::NotCompleteElf, notElf);
    for (const qsizetype size : {1000, 50000, 100000})
        bytes(qPrintable(QStringLiteral("its first %1 bytes").arg(size)), module.first(size),
            ModuleStatus::NotCompleteElf, notElf);
    bytes("its last byte missing", module.chopped(1), ModuleStatus::NotCompleteElf, notElf);
    bytes("another class", Patched(EI_CLASS, sizeof(void*) == 8 ? ELFCLASS32 : ELFCLASS64), ModuleStatus::OtherMachine,
        otherMachine);
    bytes("another byte order", Patched(EI_DATA, ELFDATA2MSB), ModuleStatus::OtherMachine, otherMachine);
    bytes("another machine", Patched(offsetof(ElfW(Ehdr), e_machine), EM_SPARC), ModuleStatus::OtherMachine,
        otherMachine);
    bytes("an executable", Patched(offsetof(ElfW(Ehdr), e_type), ET_EXEC), ModuleStatus::NotCompleteElf, notElf);

    QTest::newRow("a library it needs is gone") << Make::Copy << QByteArray() << kUnloadable << QByteArray()
                                                << ModuleStatus::NotLoadable << "could not be loaded: ";
    QTest::newRow("no entry") << Make::Copy << QByteArray() << CLibrary() << QByteArray() << ModuleStatus::NoEntry
                              << "not an exact module of Kalvora";
    fake("no table", "null", ModuleStatus::NoTable, QStringLiteral("its entry gave no table"));
    fake("the first version's table", "stale", ModuleStatus::OtherVersion, otherVersion);
    for (const char* field : {"magic", "size", "version", "layout", "string", "abi", "table"})
        fake(qPrintable(QStringLiteral("another %1").arg(QLatin1String(field))), field, ModuleStatus::OtherVersion,
            otherVersion);
}

void TestExactLibrary::checks()
{
    QFETCH(Make, make);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QFETCH(QByteArray, stamp);
    QFETCH(ModuleStatus, status);
    QFETCH(QString, reason);

    QVERIFY(dir_.isValid());
    const QString made = dir_.filePath(QStringLiteral("%1/kalvora-exact.so").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(QFileInfo(made).path()));
    switch (make) {
    case Make::Nothing: path = made; break;
    case Make::Bytes:
        QVERIFY(Write(made, bytes));
        path = made;
        break;
    case Make::Folder:
        QVERIFY(QDir().mkpath(made));
        path = made;
        break;
    case Make::Fifo:
        QCOMPARE(mkfifo(QFile::encodeName(made).constData(), 0600), 0);
        path = made;
        break;
    case Make::Unreadable:
        if (geteuid() == 0)
            QSKIP("every file is readable to the superuser");
        QVERIFY(Write(made, ModuleBytes()));
        QVERIFY(QFile::setPermissions(made, {}));
        path = made;
        break;
    case Make::Link:
        QVERIFY(QFile::link(kModule, made));
        path = made;
        break;
    case Make::Copy: break;
    }
    qputenv("KALVORA_FAKE_STAMP", stamp);

    // A FIFO opened for reading blocks until a writer comes: the check must
    // not wait for one.
    QElapsedTimer clock;
    clock.start();
    const Exact::ModuleCheck check = Exact::TryLoad(path.toStdString());
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(check.status, status);
    QVERIFY2(QString::fromStdString(check.reason).startsWith(reason), check.reason.c_str());
}

void TestExactLibrary::relativeName()
{
    // A bare name is a file in the current folder, not a search of the
    // library path.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QFileInfo(kModule).path()));
    const Exact::ModuleCheck check = Exact::TryLoad(QFileInfo(kModule).fileName().toStdString());
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(check.status, ModuleStatus::Loaded);
}

void TestExactLibrary::reasonsInEnglish()
{
    // The dynamic loader's own words come in the user's language unless asked
    // otherwise; the line they go into is English.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        QSKIP("no second language installed");
    qputenv("LANGUAGE", "de:fr");
    const Exact::ModuleCheck check = Exact::TryLoad(kUnloadable.toStdString());
    std::setlocale(LC_ALL, before.c_str());
    qunsetenv("LANGUAGE");
    QCOMPARE(check.status, ModuleStatus::NotLoadable);
    QCOMPARE(QString::fromStdString(check.reason),
        "could not be loaded: libkalvora_test_gone.so: cannot open shared object file: No such file or directory");
}

void TestExactLibrary::line_data()
{
    QTest::addColumn<QStringList>("refused"); // path, reason, path, reason, …
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("line");

    QTest::newRow("nothing refused") << QStringList{} << "/usr/lib/kalvora-exact.so" << QString();
    QTest::newRow("one refused, none taken")
        << QStringList{"/a/kalvora-exact.so", "not found"} << QString()
        << "kalvora: exact answers unavailable: /a/kalvora-exact.so: not found (exact answers show ≈)";
    QTest::newRow("three refused, none taken")
        << QStringList{"/tmp/cut.so", "not a complete ELF object", "/b/kalvora-exact.so", "not found",
               "/c/kalvora-exact.so", "built for another version of Kalvora"}
        << QString()
        << "kalvora: exact answers unavailable: /tmp/cut.so: not a complete ELF object; /b/kalvora-exact.so: not "
           "found; /c/kalvora-exact.so: built for another version of Kalvora (exact answers show ≈)";
    QTest::newRow("one refused, one taken")
        << QStringList{"/tmp/cut.so", "not a complete ELF object"} << "/c/kalvora-exact.so"
        << "kalvora: exact module refused: /tmp/cut.so: not a complete ELF object; using /c/kalvora-exact.so";
}

void TestExactLibrary::line()
{
    QFETCH(QStringList, refused);
    QFETCH(QString, taken);
    QFETCH(QString, line);

    std::vector<Exact::Refusal> places;
    for (qsizetype i = 0; i + 1 < refused.size(); i += 2)
        places.push_back({refused[i].toStdString(), refused[i + 1].toStdString()});
    QCOMPARE(QString::fromStdString(Exact::RefusalLine(places, taken.toStdString())), line);
}

namespace {

struct Run {
    QString out;
    QStringList errorLines;
};

// This test program run again as a child that asks for one exact answer.
Run RunChild(const QString& program, const QString& module, const QByteArray& stamp)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChild), QStringLiteral("1"));
    environment.insert(QStringLiteral("KALVORA_FAKE_STAMP"), QString::fromLatin1(stamp));
    if (module.isNull())
        environment.remove(QStringLiteral("KALVORA_EXACT_MODULE"));
    else
        environment.insert(QStringLiteral("KALVORA_EXACT_MODULE"), module);
    child.setProcessEnvironment(environment);
    child.start(program, {});
    if (!child.waitForFinished(20000)) {
        child.kill();
        child.waitForFinished();
        return {QStringLiteral("(no answer)"), {}};
    }
    const QString error = QString::fromUtf8(child.readAllStandardError());
    return {QString::fromUtf8(child.readAllStandardOutput()).trimmed(), error.split('\n', Qt::SkipEmptyParts)};
}

} // namespace

void TestExactLibrary::program_data()
{
    QTest::addColumn<QString>("module"); // KALVORA_EXACT_MODULE, unset when null
    QTest::addColumn<QByteArray>("stamp");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("reason"); // for the module named; empty: no line at all

    QTest::newRow("the module") << kModule << QByteArray() << "-2" << QString();
    QTest::newRow("no module named") << QString() << QByteArray() << "none" << QString();
    QTest::newRow("missing") << dir_.filePath("gone.so") << QByteArray() << "none"
                             << "not found";
    QTest::newRow("cut short") << dir_.filePath("cut.so") << QByteArray() << "none"
                               << "not a complete ELF object";
    QTest::newRow("a FIFO") << dir_.filePath("fifo.so") << QByteArray() << "none"
                            << "not a regular file";
    QTest::newRow("another version") << kFake << QByteArray("version") << "none"
                                     << "built for another version of Kalvora";
    QTest::newRow("no table") << kFake << QByteArray("null") << "none"
                              << "its entry gave no table";
}

void TestExactLibrary::program()
{
    QFETCH(QString, module);
    QFETCH(QByteArray, stamp);
    QFETCH(QString, answer);
    QFETCH(QString, reason);

    QVERIFY(Write(dir_.filePath("cut.so"), ModuleBytes().first(50000)));
    if (!QFileInfo::exists(dir_.filePath("fifo.so")))
        QCOMPARE(mkfifo(QFile::encodeName(dir_.filePath("fifo.so")).constData(), 0600), 0);

    const Run run = RunChild(QCoreApplication::applicationFilePath(), module, stamp);
    QCOMPARE(run.out, answer);
    if (answer == "-2") {
        QCOMPARE(run.errorLines, QStringList{});
        return;
    }
    // One line, naming every place tried: the module named, then the two the
    // program guesses (none of which holds a module beside this test).
    QCOMPARE(run.errorLines.size(), 1);
    const QString line = run.errorLines.first();
    const QString here = QCoreApplication::applicationDirPath();
    QVERIFY2(line.startsWith("kalvora: exact answers unavailable: "), qPrintable(line));
    QVERIFY2(line.endsWith("kalvora-exact.so: not found (exact answers show ≈)"), qPrintable(line));
    QVERIFY2(line.contains(here + "/kalvora-exact.so: not found; "), qPrintable(line));
    if (!module.isNull())
        QVERIFY2(line.contains(module + ": " + reason + "; "), qPrintable(line));
    QCOMPARE(line.count(": not found"), module.isNull() || reason != "not found" ? 2 : 3);
}

void TestExactLibrary::refusedThenTaken()
{
    // A module beside the program is taken after the one named was refused;
    // the refusal is still said, once.
    const QString folder = dir_.filePath("installed");
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + "/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    QVERIFY(QFile::copy(kModule, folder + "/kalvora-exact.so"));
    QVERIFY(Write(dir_.filePath("cut-too.so"), ModuleBytes().first(1000)));

    const Run run = RunChild(program, dir_.filePath("cut-too.so"), {});
    QCOMPARE(run.out, QStringLiteral("-2"));
    QCOMPARE(run.errorLines,
        QStringList{"kalvora: exact module refused: " + dir_.filePath("cut-too.so")
            + ": not a complete ELF object; using " + folder + "/kalvora-exact.so"});
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsSet(kChild)) {
        // Twice: the module is looked for once, and the line written once.
        Exact::Determinant({{"1", "2"}, {"3", "4"}});
        const ExactText determinant = Exact::Determinant({{"1", "2"}, {"3", "4"}});
        std::printf("%s\n", determinant ? determinant->c_str() : "none");
        return 0;
    }
    TestExactLibrary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exact_library.moc"
