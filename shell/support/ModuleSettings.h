// Every period and limit of the module in one place, so tests can shorten them.
#pragma once

/// Periods in milliseconds, SNMP time-outs in hundredths of a second. The defaults are the
/// module's own; tests pass shorter periods and a time-out scale below 1 so that a silent device
/// costs seconds, not minutes.
struct ModuleSettings
{
    int pollMs = 2000;           ///< agent poll (the power and AP-status lights)
    int blinkMs = 500;           ///< light painting and blinking
    int addressPollMs = 2000;    ///< LED-settings and address poll
    int agentPollTimeout = 3000; ///< hundredths; the agent poll's own time-out
    int agentPollRetries = 1;
    int waitingTickMs = 1200;        ///< one countdown step of the waiting dialog
    int snmpPumpMs = 20;             ///< the SNMP event pump
    int tftpServiceMs = 20;          ///< each TFTP server's service timer
    int wlanStatisticsWaitMs = 5000; ///< the wait after asking the device to refresh WLAN counters
    double timeoutScale = 1.0;       ///< applied to every SNMP time-out the module sets

    /// A time-out in hundredths after the scale; never below one hundredth.
    int scaledTimeout(int hundredths) const;
};
