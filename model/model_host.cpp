#include "model/model_host.h"

#include <stdexcept>

namespace {
ModelHost* g_host = nullptr;
}

ModelHost& GetModelHost() {
    if (!g_host)
        throw std::logic_error("no model host installed");
    return *g_host;
}

void SetModelHost(ModelHost* host) {
    g_host = host;
}
