// The provider for Access database files ("Microsoft.Jet.OLEDB.4.0",
// "Microsoft.ACE.OLEDB.12.0"). "Data Source" is the file's Windows path, reached
// through the prefix's drive map. On this machine the file keeps the name the system
// gives it ("Quillet.mdb"), but its format is that of the embedded database engine:
// a genuine Access file, or anything else that is not a sound project database, is
// refused with a description of what the file is and what to do about it.
#pragma once

#include <memory>

#include "platform/ado/provider.h"

namespace platform::ado {

std::shared_ptr<Provider> MakeAccessFileProvider();

}  // namespace platform::ado
