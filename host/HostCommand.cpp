#include "HostCommand.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ofchost
{
namespace
{
std::vector<HostCommand>& registry()
{
    static std::vector<HostCommand> list;
    return list;
}
} // namespace

bool registerCommand(const HostCommand& command)
{
    registry().push_back(command);
    std::sort(registry().begin(), registry().end(),
              [](const HostCommand& a, const HostCommand& b)
              { return std::strcmp(a.name, b.name) < 0; });
    return true;
}

const HostCommand* commands(int& count)
{
    count = static_cast<int>(registry().size());
    return registry().data();
}

} // namespace ofchost
