#include "platform/files.h"
#include "shell/catalogue.h"
#include "shell/catalogue_names.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>

class Catalogue : public AppFixture {
protected:
    QString resource(const char* file) const { return QDir(platform::ResourceFolder()).filePath(file); }
};

TEST_F(Catalogue, EveryNameGivesOneSharedObject) {
    for (std::string_view name : catalogue_names::pictures) {
        auto first = catalogue::picture(name);
        EXPECT_TRUE(first->isLoaded()) << name;
        EXPECT_EQ(catalogue::picture(name), first) << name;
    }
    for (std::string_view name : catalogue_names::sounds) EXPECT_EQ(catalogue::sound(name), catalogue::sound(name));
    EXPECT_EQ(QFileInfo(catalogue::picture("CR")->path()).fileName(), "CR.png");
    EXPECT_NE(catalogue::picture("CR"), catalogue::picture("crot"));
    EXPECT_THROW(catalogue::picture("cr"), std::invalid_argument) << "names match case exactly";
}

TEST_F(Catalogue, AMissingPictureKeepsItsHandleAndLoadsOnceTheFileIsThere) {
    const QString go = resource("go.png");
    const QString aside = QDir(programFolder()).filePath("go-aside.png");
    ASSERT_TRUE(QFile::rename(go, aside));
    auto handle = catalogue::picture("go");
    EXPECT_FALSE(handle->isLoaded());
    EXPECT_NE(handle, catalogue::picture("stop")) << "two missing faces are still two modes";
    EXPECT_EQ(catalogue::picture("go"), handle);
    ASSERT_TRUE(QFile::rename(aside, go));
    EXPECT_EQ(catalogue::picture("go"), handle);
    EXPECT_TRUE(handle->isLoaded());
}

TEST_F(Catalogue, AMissingSoundIsTriedOnceAndStaysSilent) {
    const QString hi = resource("hi.wav");
    const QString aside = QDir(programFolder()).filePath("hi-aside.wav");
    ASSERT_TRUE(QFile::rename(hi, aside));
    auto silent = catalogue::sound("hi");
    ASSERT_NE(silent, nullptr);
    EXPECT_FALSE(silent->isLoaded());
    ASSERT_TRUE(QFile::rename(aside, hi));
    EXPECT_EQ(catalogue::sound("hi"), silent);
    EXPECT_FALSE(catalogue::sound("hi")->isLoaded()) << "not tried again during the run";
    silent->Play();
    EXPECT_TRUE(sound.plays.empty());
    const auto tries = std::count_if(sound.opened.begin(), sound.opened.end(),
                                     [](const QString& p) { return p.endsWith("hi.wav"); });
    EXPECT_EQ(tries, 1);
}

TEST_F(Catalogue, TheIconHoldsEveryShippedSizeAndLeavesOutAMissingOne) {
    QList<QSize> sizes;
    for (int size : catalogue_names::icon_sizes) sizes.append(QSize(size, size));
    EXPECT_EQ(catalogue::applicationIcon().availableSizes(), sizes);

    const QString icon16 = resource("icon/taptrell-16.png");
    ASSERT_TRUE(QFile::remove(icon16));
    sizes.removeFirst();
    EXPECT_EQ(catalogue::applicationIcon().availableSizes(), sizes);
}
