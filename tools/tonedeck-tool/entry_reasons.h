#pragma once
// Words for why an entry was not accepted, shared by the commands.

#include <string>

#include "common/device_id_mgr.h"

namespace tonedeck::tool {

std::string DescribeVerdict(const EntryCheck& check);
std::string DescribeLoadGroup(int code);

}  // namespace tonedeck::tool
