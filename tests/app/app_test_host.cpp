#include "app_test_host.h"

#include "platform/core/archive.h"

#include <stdexcept>

AppTestHost::AppTestHost() {
    m_ownTable.BuildDefault();
    try {
        m_previous = &GetModelHost();
    } catch (const std::logic_error&) {
        m_previous = nullptr;
    }
    SetModelHost(this);
}

AppTestHost::~AppTestHost() {
    SetModelHost(m_previous);
}

void AppTestHost::SerializeEndMarker(bool& valid, bool check, Archive& ar) {
    static const std::string marker = "Database EOF";
    if (ar.IsStoring())
        ar.WriteString(marker);
    else
        valid = !check || ar.ReadString() == marker;
}
