#pragma once

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStorageInfo>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace lumo::db {
class Connection;
}
namespace lumo::ui {
class RichTextBox;
}

namespace lumo {

class CopyProgress;
class FrmRTF;

// The service object: INI access, focus colours, running programs, log messages,
// numbers and bits, files, folders and drives, rich-text building.
class CKelSrv {
public:
    CKelSrv();
    ~CKelSrv();

    // --- service core (CKelSrv.cpp) ---

    // The form the painting members work on; giving one sets FormLinked.
    void UsedForm(QWidget* Form);
    QWidget* UsedForm() const;
    // One flag for the whole program, shared with the printer object: a form was given
    // through UsedForm. Each of the two objects' constructors clears it.
    static bool& FormLinked();
    // Whether the constructor made the hidden work forms.
    static bool FormsLoaded();

    // A colour gradient over the inner area of UsedForm, or over a rectangle of it.
    void ColForm(long Color1, long Color2, long Mode);
    void ColArea(long X1, long Y1, long X2, long Y2, long Color1, long Color2, long Mode);
    // The gradient painter belongs to the display services, which install it here;
    // without one the painting members do nothing.
    using GradientPainter = std::function<void(QWidget& Form, long X1, long Y1, long X2, long Y2, long Color1,
                                               long Color2, int Mode)>;
    static void SetGradientPainter(GradientPainter Painter);

    // Splits a colour value (red in the low byte) into its parts.
    void RGBColors(long Color, long& Red, long& Green, long& Blue) const;
    // Czech letters between code pages 0 (852), 1 (Windows-1250), 2 (Kamenický) and 3
    // (plain letters); text read in 852 or Kamenický arrives as Windows-1250 characters.
    QString ChangeCodePage(const QString& Text, int FromCP, int ToCP) const;
    // Check-box value to Boolean (only 1 is true) and back.
    bool CB(int Value) const;
    int CC(bool Value) const;
    // Single bits of a 32-bit value; Bit 0 to 31, others raise 6.
    long IBSET(long Value, long Bit) const;
    long IBCLR(long Value, long Bit) const;
    long IBCHNG(long Value, long Bit) const;
    bool BTEST(long Value, long Bit) const;

    // The largest and smallest value; among equal ones the first wins. Numbers compare
    // numerically, texts as text, a number is below any text. No values raise 9.
    QVariant Max(const QVariantList& Values) const;
    QVariant Min(const QVariantList& Values) const;
    // Mixed numbers compare and come back in their common type, so Max(3, 7.5) is 7.5.
    template <typename T, typename... Rest>
    requires(std::is_arithmetic_v<T> || std::is_same_v<T, QString>) &&
        (std::is_convertible_v<Rest, T> && ...) std::common_type_t<T, Rest...> Max(T First,
                                                                                   Rest... Others) const {
        using R = std::common_type_t<T, Rest...>;
        R best = First;
        ((best = R(Others) > best ? R(Others) : best), ...);
        return best;
    }
    template <typename T, typename... Rest>
    requires(std::is_arithmetic_v<T> || std::is_same_v<T, QString>) &&
        (std::is_convertible_v<Rest, T> && ...) std::common_type_t<T, Rest...> Min(T First,
                                                                                   Rest... Others) const {
        using R = std::common_type_t<T, Rest...>;
        R best = First;
        ((best = R(Others) < best ? R(Others) : best), ...);
        return best;
    }

    // Focus colours of a text control: any object with the properties BackColor,
    // ForeColor, SelStart, SelLength and Text, or a line or text edit. Got-focus also
    // selects the text from the start up to its last non-blank character.
    void TBoxGotFocus(QObject* Control, long BackColor, long ForeColor) const;
    void TBoxLostFocus(QObject* Control, long BackColor, long ForeColor) const;

    // The whole value of Key (no length cut); Default when the file, section or key is missing.
    // With Numeric the result is an integer.
    QVariant ReadINI(const QString& FileName, const QString& Section, const QString& Key,
                     const QVariant& Default, bool Numeric = false) const;
    // Writes Key=Value; returns false when the file could not be written.
    bool WriteINI(const QString& FileName, const QString& Section, const QString& Key, const QString& Value);

    // Ends a program that RunApl started, when it still runs.
    void ExitAplication(long ProcessId) const;
    // Starts a program directly (no shell); with Wait returns when it has ended.
    // Returns its process id. A missing program raises 53.
    long RunApl(const QString& CmdLine, bool Wait) const;
    // Number in Base (2 and above); Base 0 raises 11, Base 1 or below raises 5.
    QString NumToString(long Number, long Base) const;
    // Appends Text and CR LF to the file in Windows-1250; failures are ignored.
    void SaveLogMessage(const QString& FileName, const QString& Text) const;
    // The largest value of Column in Table plus 1; 1 for an empty table, 0 on any failure.
    long GetNewID(const QString& Table, db::Connection& Connection, const QString& Column) const;

    // The progress window a copy with progress shows; the display services provide it.
    void SetCopyProgress(CopyProgress* Progress);

    // --- system information, display, memory, progress and colour (CKelSrvSystem.cpp) ---

    // The kernel's name ("Linux"), its release as "major.minor.build" and the distribution's
    // name; failing raises the object error 1 of "CKelSysInfo-OSVersion".
    QString OSPlatform() const;
    QString OSVersion() const;
    QString OSServicePack() const;
    bool PrinterInstalled() const;
    // No ODBC driver manager belongs to the program: no data sources.
    long NumberODBC() const;
    bool GetODBC(QStringList& Names, QStringList& Descriptions) const;
    // The screen of UsedForm in pixels and bits per pixel; 0 while no form is linked.
    long ScreenWidth() const;
    long ScreenHeight() const;
    long BitsPerPixel() const;
    // The current mode only; the lists are sized by the caller (empty ones raise 9).
    long NumVideoModes() const;
    void GetVideoModes(QList<long>& Widths, QList<long>& Heights, QList<long>& Bits) const;
    // Display modes are the desktop's own settings: changes nothing.
    void SetDisplay(long Width, long Height, long Bits) const;
    // Bytes, 64 bits wide; the page file is the swap space, virtual memory the address-space limit.
    qint64 PhysFree() const;
    qint64 PageFree() const;
    qint64 VirtualFree() const;
    qint64 PhysTotal() const;
    qint64 PageTotal() const;
    qint64 VirtualTotal() const;
    long MemoryLoad() const;
    // The desktop's panel is not the program's: nothing changes.
    void HideTaskbar() const;
    void ShowTaskbar() const;
    // Ends the process at once with that exit code.
    [[noreturn]] void SetErrorLevel(qint16 ExitCode) const;
    // The colour dialog with Initial preselected; a cancel returns Initial.
    long SelectColor(long Initial) const;
    // The progress window (only while the work forms are loaded); without Value the bar stays.
    void ShowProgress(const QString& Caption, const QString& Text,
                      std::optional<float> Value = std::nullopt) const;
    void ViewProgress(long& Value) const;
    void HideProgress() const;
    // The progress window as a copy shows it.
    static CopyProgress* ProgressWindow();

private:
    QPointer<QWidget> m_UsedForm;
    CopyProgress* m_CopyProgress = nullptr;

public:
    // --- files, folders and drives (CKelSrvFiles.cpp) ---
    // Paths may use "\" and any case. Failures raise the numbered object errors
    // with source "KelVBLib-CKelService-" and the member's name.

    bool FileExist(const QString& FileName) const;
    qint64 FileSize(const QString& FileName) const;
    QString FileDrive(const QString& FileName) const;
    QString FileDirectory(const QString& FileName) const;
    QString FileFullName(const QString& FileName) const;
    QString FileBaseName(const QString& FileName) const;
    QString FileExtension(const QString& FileName) const;
    QString FileShortDirectory(const QString& FileName) const;
    QString FileShortName(const QString& FileName) const;
    QDateTime FileDateCreated(const QString& FileName) const;
    QDateTime FileDateModified(const QString& FileName) const;
    QDateTime FileDateAccessed(const QString& FileName) const;
    QString FileVersion(const QString& FileName) const;
    bool FileIsReadOnly(const QString& FileName) const;
    bool FileIsSystem(const QString& FileName) const;
    bool FileIsHidden(const QString& FileName) const;
    bool FileIsArchive(const QString& FileName) const;
    bool FileIsCompressed(const QString& FileName) const;
    // Full path of the first file of that name (any case) in the tree of StartFolder,
    // or of every mounted volume when none is given; "" when there is none.
    QString FindFile(const QString& FileName, const QString& StartFolder = {}) const;
    // Attribute bit 1 (read-only) sets or clears the write permission; others are ignored.
    void SetFileAttribute(const QString& FileName, long Attributes) const;
    QString GetTempFileName() const;
    void DeleteFile(const QString& FileName, bool Force = false) const;
    void RenameFile(const QString& OldName, const QString& NewName) const;
    // Flags: 1 move, 2 overwrite the target, 4 show progress. An overwritten target is
    // replaced only once the copy is complete.
    void CopyFile(const QString& Source, const QString& Target, long Flags = 0) const;
    // The whole file, bytes read as Windows-1250.
    QString GetTextFromFile(const QString& FileName) const;
    QFileInfo GetFile(const QString& FileName) const;
    // The path with a trailing "/" ("" stays ""; a trailing "\" counts as one).
    QString CompletePath(const QString& Path) const;

    void DeleteFolder(const QString& FolderName, bool Force = false) const;
    bool FolderExist(const QString& FolderName) const;
    void CreateFolder(const QString& FolderName) const;
    void CopyFolder(const QString& Source, const QString& Target, bool Overwrite = true) const;
    void MoveFolder(const QString& Source, const QString& Target) const;
    // 2: the temporary folder (full path); the Windows and system folders do not exist here.
    QString GetSpecialFolder(long Folder) const;
    QDir GetFolder(const QString& FolderName) const;
    QString FolderDrive(const QString& FolderName) const;
    QString FolderParent(const QString& FolderName) const;
    QString FolderShortName(const QString& FolderName) const;
    QString FolderShortParent(const QString& FolderName) const;
    QDateTime FolderDateCreated(const QString& FolderName) const;
    QDateTime FolderDateModified(const QString& FolderName) const;
    QDateTime FolderDateAccessed(const QString& FolderName) const;
    qint64 FolderSize(const QString& FolderName) const;
    bool FolderIsRoot(const QString& FolderName) const;
    bool FolderIsReadOnly(const QString& FolderName) const;
    bool FolderIsSystem(const QString& FolderName) const;
    bool FolderIsHidden(const QString& FolderName) const;
    bool FolderIsArchive(const QString& FolderName) const;
    long FolderNumFiles(const QString& FolderName) const;
    long FolderNumSubFolders(const QString& FolderName) const;
    QFileInfoList FolderFiles(const QString& FolderName) const;
    QFileInfoList FolderSubFolders(const QString& FolderName) const;

    // Drives are the roots of mounted volumes ("/", "/media/cd"). Drive letters, drive
    // types, volume labels, serial numbers, share names and formatting do not exist here:
    // those members raise the "not available" object error.
    QString GetDrives(long DriveType) const;
    bool DriveExist(const QString& Drive) const;
    bool DriveReady(const QString& Drive) const;
    bool SetLabel(const QString& Drive, const QString& Label) const;
    void FormatDrive(const QString& Drive) const;
    // Asks for a medium (OK and Cancel) until the drive is ready; false on Cancel.
    bool InsertDisc(const QString& Drive, long& MediaType) const;
    QString DriveLabel(const QString& Drive) const;
    QString DriveSerialNumber(const QString& Drive) const;
    // Kilobytes, rounded.
    qint64 DriveFreeSize(const QString& Drive) const;
    qint64 DriveAvailableSize(const QString& Drive) const;
    qint64 DriveFullSize(const QString& Drive) const;
    QString DriveFileSystem(const QString& Drive) const;
    QString DriveShareName(const QString& Drive) const;
    long DriveType(const QString& Drive) const;
    QStorageInfo GetDrive(const QString& Drive) const;
    QString FileSystem(const QString& Drive) const;

    // --- rich-text builders and rich-text-box functions (CKelSrvRtf.cpp) ---
    // Positions are the box's (CR LF counts two); the line queries follow its wrapping.

    // The record header: font table, CR LF, colour table (palette colours 1 to 16), no "}".
    QString rtfHeader() const;
    // One run: colour as a 16-colour palette number, bold, italic, font number, size in
    // half-points, then the text with "\", "{" and "}" escaped and characters outside
    // Windows-1250 as \uN?; " \par " after it with NewPar.
    QString RTFKod(const QString& Text, bool Bold, bool Italic, int Font, int Size, int Color,
                   bool NewPar = false) const;
    // Display-line count + 1.
    long GetRTFLines(const ui::RichTextBox& Box) const;
    // Length of the caret's line + 1.
    long GetRTFColumns(const ui::RichTextBox& Box) const;
    // 1-based line and column of the caret.
    long GetRTFLineNumber(const ui::RichTextBox& Box) const;
    long GetRTFColNumber(const ui::RichTextBox& Box) const;
    // Text of a 0-based display line.
    QString GetRTFLineText(const ui::RichTextBox& Box, long Line) const;
    // 1-based number of the first visible line.
    long GetRTFLineVisible(const ui::RichTextBox& Box) const;
    // Flags 0: plain, in the window-text colour (Color is not used). Otherwise 32 lower case,
    // 16 upper case (the characters only), 8 strike-through, 4 underline, 2 italic, 1 bold
    // toggled (mixed becomes on); then Color (0x00BBGGRR) when given.
    void MarkRTFSel(ui::RichTextBox& Box, long Flags, std::optional<long> Color = std::nullopt) const;
    // The word at a point given in twips of the box's client area; X and Y come back in
    // pixels. A word ends at any character below 33 or in " !?.,:". With Mark its
    // strike-through is toggled; the selection stays.
    QString GetRTFWord(ui::RichTextBox& Box, float& X, float& Y, bool Mark) const;
    // The struck-through characters, one blank after each run that unstruck text follows;
    // with Remove they are unstruck. The selection stays.
    QString GetRTFMarkText(ui::RichTextBox& Box, bool Remove) const;
    // First followed by Second as one document, joined in memory.
    QString JoinRTF(const QString& First, const QString& Second) const;
    // The plain text of RTF, or with Restyle the RTF restyled as a whole: font name when not
    // blank, size (points) when above 0, colour (0x00BBGGRR) when 0 or more.
    QString GetTextFromRTF(const QString& RTF, bool Restyle, const QString& FontName = {}, int FontSize = 0,
                           long Color = -1) const;
    // The underlined run at the caret ("" when the caret is at 0 or not on one).
    QString TextOver(const ui::RichTextBox& Box) const;
    // The hidden work form with its box rtfBox, made on first use.
    FrmRTF& frmRTF();

private:
    std::shared_ptr<FrmRTF> m_frmRTF; // shared_ptr: deletable where FrmRTF is incomplete

public:
};

} // namespace lumo
