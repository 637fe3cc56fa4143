// The suites run with Foldwise.dll registered in this architecture's view, as the
// shell would find it, and leave the prefix's registry as they found it.
#include "tests/foldwise/foldwise_rig.h"

#include <gtest/gtest.h>

namespace {

class RegisteredLibrary : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_NE(foldwise_test::library(), nullptr);
        ASSERT_EQ(foldwise_test::runRegsvr32(false), 0u);
    }
    void TearDown() override { EXPECT_EQ(foldwise_test::runRegsvr32(true), 0u); }
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RegisteredLibrary);
    return RUN_ALL_TESTS();
}
