#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdlib.h>

#include "platform/IniText.h"

TEST(IniTextTest, ReadsHandEditedFiles) {
  const TIniText ini(" [general] \nnNbFic = 3 \r\n; note\n[Fichiers]\ncFic1=*.txt\nCFIC2= a=b \n"
                     "[Vide]\n");
  EXPECT_EQ("3", ini.Value("GENERAL", "nNbFic"));
  EXPECT_EQ("*.txt", ini.Value("fichiers", "cfic1"));
  EXPECT_EQ("a=b", ini.Value("Fichiers", "cFic2"));
  EXPECT_EQ(std::nullopt, ini.Value("GENERAL", "cFic1"));
  EXPECT_EQ(std::nullopt, ini.Value("Vide", "x"));
  EXPECT_EQ(std::nullopt, ini.Value("Absente", "x"));
}

TEST(IniTextTest, ChangesOnlyWhatItIsAskedTo) {
  TIniText ini("; garde\r\n[GENERAL]\r\nnNbFic=1\r\n\r\n[Fichiers]\r\ncFic1=a\r\ncFic2=b\r\n");
  ini.SetValue("general", "NNBFIC", "2");
  ini.SetValue("GENERAL", "cRep", "C:\\");
  ini.EraseSection("fichiers");
  ini.SetValue("Contenant", "cCont1", "");
  EXPECT_EQ("; garde\r\n[GENERAL]\r\nNNBFIC=2\r\ncRep=C:\\\r\n\r\n[Contenant]\r\ncCont1=\r\n",
            ini.Text());
}

TEST(FileProfileTest, ReadsWritesAndErasesTheFile) {
  char name[] = "/tmp/scrivane-profile-XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(name));
  const std::filesystem::path folder = name;
  const std::string file = (folder / "Scrivane.ini").string();
  std::filesystem::remove(file);
  TPrivateProfile& profile = TPrivateProfile::System();

  EXPECT_EQ("def", profile.ReadString("GENERAL", "cRep", "def", 1024, file));
  EXPECT_TRUE(profile.WriteString("GENERAL", "cRep", std::string(1500, 'x'), file));
  EXPECT_EQ(std::string(1023, 'x'), profile.ReadString("GENERAL", "cRep", "", 1024, file));
  EXPECT_TRUE(profile.WriteString("Fichiers", "cFic1", "*.txt", file));
  EXPECT_TRUE(profile.EraseSection("Fichiers", file));
  EXPECT_EQ("", profile.ReadString("Fichiers", "cFic1", "", 1024, file));
  EXPECT_EQ(1023u, profile.ReadString("GENERAL", "cRep", "", 1024, file).size());
  EXPECT_FALSE(profile.WriteString("GENERAL", "cRep", "", (folder / "absent" / "x.ini").string()));
  std::filesystem::remove_all(folder);
}
