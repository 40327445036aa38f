#include "windows/windowsfixture.h"

#include "shell/catalogue_names.h"

#include <QDir>
#include <QFile>

QStringList allsamples() {
    QStringList files;
    for (std::string_view name : catalogue_names::samples)
        files << QString::fromLatin1(name.data(), qsizetype(name.size()));
    return files;
}

WindowsTest::WindowsTest() : w((makeinstrument(QStringLiteral("piano"), allsamples()), openWindow())) {}

void WindowsTest::makeinstrument(const QString& name, const QStringList& files) {
    QDir folder(QDir(programFolder()).filePath(name));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    for (const QString& file : files) {
        QFile sample(folder.filePath(file));
        ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
    }
}

optionwin& WindowsTest::openoptions() {
    optionwin& window = optionwin::instance();
    window.Show();
    return window;
}

optionwin& WindowsTest::reopenoptions() {
    if (optionwin::exists()) optionwin::instance().close();
    EXPECT_FALSE(optionwin::exists());
    return openoptions();
}
