// What the main window learns about the device and pages read: address texts, reachability,
// the four lights and the key-restart state.
#include "DeviceState.h"

DeviceState::DeviceState(QObject *parent) : QObject(parent) { }

void DeviceState::setAddressTexts(const QString &ipAddressEdit, const QString &subMaskEdit)
{
    if (m_ipAddressEdit == ipAddressEdit && m_subMaskEdit == subMaskEdit) {
        return;
    }
    m_ipAddressEdit = ipAddressEdit;
    m_subMaskEdit = subMaskEdit;
    emit addressTextsChanged();
}

void DeviceState::setIPAddressEdit(const QString &text)
{
    setAddressTexts(text, m_subMaskEdit);
}

void DeviceState::setSubMaskEdit(const QString &text)
{
    setAddressTexts(m_ipAddressEdit, text);
}

void DeviceState::clearAddressTexts()
{
    setAddressTexts(QString(), QString());
}

void DeviceState::setSysIpAddress(const QString &text)
{
    m_sysIpAddress = text;
}

void DeviceState::setWlanBlinking(bool wlan24G, bool wlan5G)
{
    m_wlan24GBlinking = wlan24G;
    m_wlan5GBlinking = wlan5G;
}

void DeviceState::setLook(Light light, Colour colour, bool visible)
{
    m_looks[index(light)] = Look{colour, visible};
}

void DeviceState::markUnreachable()
{
    for (const Light light : {Light::Power, Light::ApStatus, Light::Wlan24G, Light::Wlan5G}) {
        setLook(light, Colour::Black, true);
    }
    const bool was = m_reachable;
    m_reachable = false;
    emit lightsChanged();
    if (was) {
        emit reachableChanged(false);
    }
}

void DeviceState::markReachable()
{
    const bool was = m_reachable;
    m_reachable = true;
    if (!was) {
        emit reachableChanged(true);
    }
    paintLights();
}

void DeviceState::paintLights()
{
    if (!m_reachable) {
        return;
    }
    setLook(Light::Power, Colour::Green, true);
    setLook(Light::ApStatus, Colour::Green, true);
    const auto wlan = [this](Light light, bool blinking) {
        if (blinking) {
            const bool green = look(light).colour == Colour::Green;
            setLook(light, green ? Colour::Black : Colour::Green, true);
        } else {
            setLook(light, Colour::Black, false);
        }
    };
    wlan(Light::Wlan24G, m_wlan24GBlinking);
    wlan(Light::Wlan5G, m_wlan5GBlinking);
    if (m_ipAddressEdit.isEmpty()) {
        setLook(Light::Wlan24G, Colour::Black, false);
        setLook(Light::Wlan5G, Colour::Black, false);
    }
    emit lightsChanged();
}

void DeviceState::setKeyRestartState(int state)
{
    m_keyRestart = state;
}
