// Creating classes by id and by ProgID: what a client sees when a class cannot be made.
// (Classes that are registered are made in the libraries' own tests.)
#include <gtest/gtest.h>

#include "platform/com/server.h"
#include "platform/errors/errors.h"
#include "support/scratch.h"

namespace {

namespace com = platform::com;

TEST(ComCreation, AClassNobodyRegisteredCannotBeCreated) {
    scratch::RegistryKey machine;  // a registry of the test's own here
    for (auto create : {+[] { com::CreateInstance(com::Guid::Parse("{5E1D8A42-0000-4000-8000-0000000000AA}")); },
                        +[] { com::CreateInstance("Quillet.NoSuchClass"); }}) {
        try {
            create();
            ADD_FAILURE() << "an unregistered class was created";
        } catch (const platform::ErrorInfo& failure) {
            EXPECT_EQ(failure.Number, com::kCannotCreateObject);
            EXPECT_EQ(failure.Description, "ActiveX component can't create object");
        }
    }
}

}  // namespace
