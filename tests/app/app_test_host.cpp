#include "app_test_host.h"

#include "model/program_database_file.h"

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
    SerializeDatabaseEndMarker(valid, check, ar);
}
