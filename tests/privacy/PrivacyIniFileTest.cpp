#include "privacy/PrivacyIniFile.h"

#include <gtest/gtest.h>

#include "lists/TempFolder.h"

namespace fern {
namespace {

TEST(PrivacyIniFile, StoresPreferencesAndPolicies) {
    testing::TempFolder folder;
    PrivacyIniFile file(folder.File("privacy.ini"));
    // Nothing stored: the site's own cookies allowed, other sites' refused.
    EXPECT_EQ(file.GetZonePreference(3, 0)->text, "IE6-P3PV1/settings: always=a session=a");
    EXPECT_EQ(file.GetZonePreference(3, 1)->text, "IE6-P3PV1/settings: always=r session=a");
    EXPECT_EQ(file.GetZonePreference(3, 1)->templateId, 101);
    EXPECT_EQ(file.GetZoneActionPolicy(3, 0x1A02), 0);
    EXPECT_EQ(file.ZoneTemplateLevel(3), -1);

    EXPECT_TRUE(file.SetZonePreference(3, 1, {101, "IE6-P3PV1/settings: always=a"}));
    EXPECT_EQ(file.GetZonePreference(3, 1)->text, "IE6-P3PV1/settings: always=a");
    EXPECT_TRUE(file.SetZoneActionPolicy(3, 0x1A03, 3));
    EXPECT_EQ(file.GetZoneActionPolicy(3, 0x1A03), 3);
    EXPECT_EQ(file.ZoneTemplateLevel(3), 0);

    // Bytes of any kind read without harm.
    testing::WriteBytes(folder.File("bad.ini"),
                        std::string("[Zone3]\r\nPreference0=\xFF\x00x\r\nAction1A02=zz", 39));
    PrivacyIniFile bad(folder.File("bad.ini"));
    EXPECT_EQ(bad.GetZoneActionPolicy(3, 0x1A02), 0);
    EXPECT_EQ(bad.GetZonePreference(3, 0)->templateId, 101);

    // An unwritable file says so.
    PrivacyIniFile nowhere(folder.File("missing/privacy.ini"));
    EXPECT_FALSE(nowhere.SetZoneActionPolicy(3, 0x1A02, 0));
}

}  // namespace
}  // namespace fern
