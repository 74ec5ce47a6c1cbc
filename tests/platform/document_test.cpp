#include "platform/core/archive.h"
#include "platform/core/document.h"
#include "platform/core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

class NoteDocument : public Document {
public:
    std::string note;
    void Serialize(Archive& ar) override {
        if (ar.IsStoring())
            ar << note;
        else
            note = ar.ReadString();
    }
};

struct View : DocumentView {
    Document* doc = nullptr;
    std::vector<std::uintptr_t> hints;
    View* removeOnUpdate = nullptr;
    void OnUpdate(DocumentView*, std::uintptr_t hint) override {
        hints.push_back(hint);
        if (removeOnUpdate)
            doc->RemoveView(removeOnUpdate);
    }
};

TEST(Document, UpdatesEveryViewButTheSender) {
    NoteDocument doc;
    View a, b, c;
    for (View* v : {&a, &b, &c}) {
        v->doc = &doc;
        doc.AddView(v);
    }
    doc.AddView(&a); // once only
    doc.UpdateAllViews(&b, 0x20000);
    EXPECT_EQ(a.hints, std::vector<std::uintptr_t>{0x20000});
    EXPECT_TRUE(b.hints.empty());
    EXPECT_EQ(c.hints, std::vector<std::uintptr_t>{0x20000});

    // A view that closes another while being told: the closed one hears nothing more.
    a.removeOnUpdate = &c;
    doc.UpdateAllViews(nullptr, 7);
    EXPECT_EQ(c.hints.size(), 1u);
    doc.UpdateAllViews(nullptr, 8);
    EXPECT_EQ(c.hints.size(), 1u) << "no longer a view of the document";
    EXPECT_EQ(b.hints, (std::vector<std::uintptr_t>{7, 8}));
}

TEST(Document, OpensAndSavesThroughWholeFiles) {
    const auto dir = std::filesystem::temp_directory_path() / "qelt_document_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "note.equ";

    NoteDocument doc;
    EXPECT_TRUE(doc.OnNewDocument());
    doc.note = "hello";
    doc.SetModifiedFlag();
    doc.OnSaveDocument(path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "note.equ");
    EXPECT_EQ(doc.GetPathName(), path);

    NoteDocument opened;
    opened.OnOpenDocument(path);
    EXPECT_EQ(opened.note, "hello");
    EXPECT_EQ(opened.GetTitle(), "note.equ");

    NoteDocument missing;
    EXPECT_THROW(missing.OnOpenDocument(dir / "absent.equ"), FileError);
    EXPECT_TRUE(missing.GetPathName().empty());

    // A save refuses what the reader would refuse: the file it would replace stays as it was.
    struct ShortNote : NoteDocument {
        void CheckFileHead(const std::vector<std::uint8_t>&, std::uint64_t size) const override {
            if (size > 16)
                throw ArchiveError("too long");
        }
    } longNote;
    longNote.note = "a note longer than the reader takes";
    longNote.SetModifiedFlag();
    EXPECT_THROW(longNote.OnSaveDocument(path), ArchiveError);
    EXPECT_TRUE(longNote.IsModified());
    opened.OnOpenDocument(path);
    EXPECT_EQ(opened.note, "hello");
    std::filesystem::remove_all(dir);
}

} // namespace
