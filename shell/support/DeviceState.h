// What the main window learns about the device and pages read: address texts, reachability,
// the four lights and the key-restart state.
#pragma once

#include <array>

#include <QObject>
#include <QString>

/// One per main window. The polls write it, the light painting runs on it, and pages, local
/// address discovery and the waiting dialog read it.
class DeviceState : public QObject
{
    Q_OBJECT

public:
    enum class Light {
        Power,
        ApStatus,
        Wlan24G,
        Wlan5G,
    };

    enum class Colour {
        Initial, ///< as the window starts, before the first poll decided anything
        Green,
        Black,
    };

    struct Look
    {
        Colour colour = Colour::Initial;
        bool visible = true;
        bool operator==(const Look &) const = default;
    };

    /// The SSL key was installed (1) and the device restarted since (2); 0 before either.
    enum KeyRestart {
        KeyRestartNone = 0,
        KeyRestartPending = 1,
        KeyRestartDone = 2,
    };

    explicit DeviceState(QObject *parent = nullptr);

    // The address poll puts the device's subnet mask into IPAddressEdit and its default gateway
    // into SubMaskEdit; local address discovery reads the two as they stand, so they keep the
    // names of the fields they come from rather than of what they hold.
    QString IPAddressEdit() const { return m_ipAddressEdit; }

    QString SubMaskEdit() const { return m_subMaskEdit; }

    void setAddressTexts(const QString &ipAddressEdit, const QString &subMaskEdit);
    void setIPAddressEdit(const QString &text);
    void setSubMaskEdit(const QString &text);
    /// The poll clears them every few rounds, so a device that stops answering them hides its
    /// WLAN lights.
    void clearAddressTexts();

    /// The device's own ifIpAddress, read once at start-up.
    QString SysIpAddress() const { return m_sysIpAddress; }

    void setSysIpAddress(const QString &text);

    bool reachable() const { return m_reachable; }

    /// Whether the device reports its 2.4 GHz and 5 GHz lights blinking.
    bool wlan24GBlinking() const { return m_wlan24GBlinking; }

    bool wlan5GBlinking() const { return m_wlan5GBlinking; }

    void setWlanBlinking(bool wlan24G, bool wlan5G);

    Look look(Light light) const { return m_looks[index(light)]; }

    /// What the waiting dialog watches: the device answers again and shows its 2.4 GHz light.
    bool wlan24GGreen() const { return look(Light::Wlan24G).colour == Colour::Green; }

    /// A poll failed: every light black and shown, the device unreachable.
    void markUnreachable();
    /// A poll succeeded: the device is reachable and the lights are painted at once.
    void markReachable();
    /// One blink step: nothing while the device is unreachable; otherwise power and AP status
    /// green, each WLAN light toggled when its blinking is on and hidden when off, and both
    /// hidden while the address texts are empty.
    void paintLights();

    int keyRestartState() const { return m_keyRestart; }

    void setKeyRestartState(int state);

signals:
    void reachableChanged(bool reachable);
    void lightsChanged();
    void addressTextsChanged();

private:
    static std::size_t index(Light light) { return static_cast<std::size_t>(light); }

    void setLook(Light light, Colour colour, bool visible);

    QString m_ipAddressEdit;
    QString m_subMaskEdit;
    QString m_sysIpAddress;
    bool m_reachable = false;
    bool m_wlan24GBlinking = false;
    bool m_wlan5GBlinking = false;
    std::array<Look, 4> m_looks{};
    int m_keyRestart = KeyRestartNone;
};
