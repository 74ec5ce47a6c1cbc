#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class Archive;
class Document;

// Something that shows a document and is told when it changes.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document changed; `sender` is the view that changed it (null when the document itself did), `hint`
    // says what changed (0: redraw everything).
    virtual void OnUpdate(DocumentView* sender, std::uintptr_t hint) = 0;
    // Takes into the document what the view shows and the document does not hold yet (a box whose text
    // means another value than the stored one); a box that shows what the document holds changes nothing.
    // False when a shown text cannot be taken: the user has been told, and the command that asked stops.
    virtual bool TakeShownValues() { return true; }
};

// A window that shows a document and can be brought to the front.
class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;
    virtual void Activate() = 0;
};

// A document that owns its file state: title, path, modified flag, and the views that show it. Subclasses
// supply Serialize; opening and saving go through an Archive over the whole file's bytes.
class Document {
public:
    Document() = default;
    virtual ~Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::string& GetTitle() const { return m_title; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    const std::filesystem::path& GetPathName() const { return m_path; }
    // Remembers the file the document belongs to and takes its file name as the title.
    void SetPathName(const std::filesystem::path& path);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // Views register themselves while they show the document.
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    // Tells every view but the sender that the document changed.
    void UpdateAllViews(DocumentView* sender, std::uintptr_t hint = 0);
    // Every command that reads the document (save, print, copy) first has each view take what it shows;
    // false when a view could not.
    bool TakeShownValues();

    // Prepares a new, untitled document; false abandons it. The base clears path, title and modified flag.
    virtual bool OnNewDocument();
    // Stores the document into, or loads it from, the archive. Loading throws (ArchiveError or a subclass's
    // error) when the bytes cannot be read, and then leaves the document as it was.
    virtual void Serialize(Archive& ar) = 0;

    // The whole file as it would be saved.
    std::vector<std::uint8_t> SaveToBytes();
    // Loads the document from a whole file's bytes; throws as Serialize does.
    void LoadFromBytes(std::vector<std::uint8_t> bytes);

    // Looks at the first bytes of a file about to be opened (see FileHeadCheck) and its size before the rest
    // is read; throws, as Serialize does, to refuse a file that cannot be one of the document's. The base
    // accepts every file.
    virtual void CheckFileHead(const std::vector<std::uint8_t>& head, std::uint64_t size) const;
    // Reads the file, loads it, takes its path and clears the modified flag. Throws FileError when the file
    // cannot be read, or what CheckFileHead or LoadFromBytes throws; the document is then unchanged.
    void OnOpenDocument(const std::filesystem::path& path);
    // Writes the document to the file atomically (a failed save leaves the previous file as it was), takes
    // the path and clears the modified flag. Throws FileError on failure, or what CheckFileHead throws for
    // bytes the reader would refuse, which are not written.
    void OnSaveDocument(const std::filesystem::path& path);

private:
    std::string m_title;
    std::filesystem::path m_path;
    bool m_modified = false;
    std::vector<DocumentView*> m_views;
};
