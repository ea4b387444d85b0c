#pragma once
// The per-user settings file "DUZO.xml": the main window's layout (docking panes, toolbars,
// geometry) and a few named values. It is read at start-up and written at shut-down. The state and
// geometry are written with a checksum and read back only when it matches and their structure fits
// the attached window; any other layout is dropped with a warning in the log.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class QMainWindow;

class CUserSettingsFile {
public:
    // The default per-user file in the user's configuration folder.
    static QString DefaultPath();

    // "" = the default file. Load keeps the current values when the file is missing or unreadable.
    bool Load(const QString& path = QString());
    bool SaveAs(const QString& path = QString());

    // The window whose state is taken before a save and given back after a load.
    void AttachWindow(QMainWindow* window);
    bool ApplyTo(QMainWindow* window) const;
    void CaptureFrom(const QMainWindow* window);

    QByteArray windowState() const { return m_windowState; }
    QByteArray windowGeometry() const { return m_windowGeometry; }
    QString value(const QString& key, const QString& fallback = QString()) const;
    void setValue(const QString& key, const QString& value) { m_values.insert(key, value); }

private:
    bool parse(const QByteArray& xml, QStringList& dropped);
    QByteArray serialize() const;
    void dropUnrestorable();

    QMainWindow* m_window = nullptr;
    QByteArray m_windowState;
    QByteArray m_windowGeometry;
    QMap<QString, QString> m_values;
    QString m_source; // the file last read, named in the log
};
