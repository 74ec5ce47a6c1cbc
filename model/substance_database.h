#pragma once

#include "model/kestrolab_database.h"

// The user's list of named substances, from which a reaction row can be filled. Section version 0x30000; the
// older 0x20000 layout is imported; twelve common substances are its defaults.
class SubstanceDatabase : public CKestrolabDatabase {
public:
    static constexpr std::int32_t kCurrentVersion = 0x30000;
    static constexpr std::int32_t kOldVersion = 0x20000;
    static constexpr const char* kUnknownVersionMessage = "Unknown version of the data file...";

    SubstanceDatabase() : CKestrolabDatabase(kCurrentVersion) {}

    // Appends a copy at the end (the list is never sorted).
    void Add(const CSubstance& item) override;
    void Replace(int index, const CSubstance& item) override;
    std::unique_ptr<CSubstance> NewItemFromArchive(Archive& ar) override;
    // The twelve default substances, name and formula only; unmodified afterwards.
    void LoadDefaults() override;
    // Imports a 0x20000 section; any other version is reported and nothing is read.
    void SerializeOldVersion(Archive& ar, std::int32_t version) override;
};
