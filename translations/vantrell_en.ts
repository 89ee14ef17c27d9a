<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AudienceDisplay</name>
    <message>
        <source>The choice of the audience monitor could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audience display covers the board&apos;s own screen. Press F5 to turn it off.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChangeWords</name>
    <message>
        <source>game clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home penalty 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home penalty 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor penalty 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor penalty 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home penalty 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor penalty 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shot clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>home mark %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visitor mark %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lamp %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time of day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>goal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChopFileName</name>
    <message>
        <source>[No File Selected]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvTable</name>
    <message>
        <source>line %1: a quote is opened and never closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not UTF-8 text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Displays</name>
    <message>
        <source>%1 (%2 × %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventExchange</name>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) cannot be used:</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Import the %n good line(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Import none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forfeit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>under way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 – %2 at %3 on %4 has two results.
Here: %5
The other field&apos;s: %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import the day&apos;s schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The schedule cannot be imported: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event has results. Import the new list in place of the matches still to play? No match played, forfeit or under way is removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event could not be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export this field&apos;s results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge another field&apos;s results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results cannot be merged: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) taken in.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) are for matches this event does not hold.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Export the standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventNames</name>
    <message>
        <source>Game clock started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game clock stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game clock reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game time set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot clock started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot clock stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot clock reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot time set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time of day switched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty cleared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Goal lamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game clock at zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot clock at zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty at zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game resumed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match begun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match ended</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedBox</name>
    <message>
        <source>Live feed for stream overlays and remote screens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Serve the live feed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, this computer only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, for other computers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, every network of this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overlay for OBS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board for a TV:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wall of pitches:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State for tools:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule for phones:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedSwitch</name>
    <message>
        <source>&quot;%1&quot; is not an address of this computer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormatDescription</name>
    <message>
        <source>1 point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one half of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>two halves of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A race to %1 in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timed game in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The second half follows the first at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halftime lasts %1 on the shot clock.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game clock stops at each point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game clock runs on through each point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>starts the next point by itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the start key starts the next point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; a %2 break follows on the shot clock and %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A lead of %1 ends the match.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teams switch ends after every point.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teams switch ends every %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no timeouts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>per half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>per match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 timeouts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each team has %1 of %2 %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A point clears the running penalty with the least time left of the team scored on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A tie at the end is a draw.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A tie at the end goes to %1 of sudden death after a break: the first point wins, and a tie after it is a draw.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormatForm</name>
    <message>
        <source>Game clock, each half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halftime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Break after a point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A point stops the game clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race to (0: no race)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mercy lead (0: none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch ends every (0: never)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeouts a team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeouts given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>each half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>once a match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sudden death (0:00: a tie is a draw)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The break&apos;s end starts the next point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A point clears a penalty of the team scored on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give a time as m:ss from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give a whole number from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: give the format a name of 1 to %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short name: give the strip a name of 1 to %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormatLibrary</name>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is larger than a format can be (%1 KiB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder of your own to save formats in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The format could not be saved as %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameLog</name>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (undone)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameSheet</name>
    <message>
        <source>None.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started %1, ended %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Goals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overtime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Half %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeouts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Half</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IdleInhibitor</name>
    <message>
        <source>The scoreboard is open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntermissionPanel</name>
    <message>
        <source>%1  %2 – %3  %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, forfeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+/–</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due to start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The day&apos;s matches on this field are all played.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>The journal cannot be written to disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lock file in %1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Backspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause/Break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numpad *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numpad /</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatchEditDialog</name>
    <message>
        <source>Match of the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitor team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatchFormatFile</name>
    <message>
        <source>a time from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>true or false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; or &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is newer than this program reads (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be a name of 1 to %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a field of a format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is missing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatchStrip</name>
    <message>
        <source>Overtime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Half %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeouts %1 %2 – %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 wins %2–%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw %1–%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halftime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No point: none is being played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The match is over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No timeout during a point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no timeout left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatchWords</name>
    <message>
        <source>Point %1 %2–%3 at %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overtime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halftime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Break %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 wins %2–%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw %1–%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>race to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mercy rule at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 timeouts a half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 timeouts a match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>overtime %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResumeQuestion</name>
    <message>
        <source>was closed while under way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>did not end properly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game started %1 %2.

%3 %4 - %5 %6
Game clock %7, %8

Resume this game, or start a new one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScheduleEdit</name>
    <message>
        <source>A team is not named.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot play itself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start is no date and time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The day already has this match.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScheduleFile</name>
    <message>
        <source>not an event&apos;s schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a version this program does not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>match %1 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is too large for a schedule</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScheduleImport</name>
    <message>
        <source>%1 columns of the header&apos;s %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the start &quot;%1&quot; is no date and time (as 2026-06-13 14:30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a team is not named</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 plays itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no format is named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has no header row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the header names no column &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the same match as line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the state &quot;%1&quot; is none of to play, played, forfeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the result &quot;%1&quot; is no score (as 7-3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SchedulePage</name>
    <message>
        <source>to play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>under way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forfeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next match (F10)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forfeit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export results...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge results...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import schedule...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open event...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>win</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer&apos;s field (empty: any)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Between matches, standings every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>League points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No event is open: import a day&apos;s schedule or open an event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which team wins %1 – %2 by forfeit?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StandingsPage</name>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Won</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Against</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print PDF...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StandingsSheet</name>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Won</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Against</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>This game is not being recorded.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Vantrell is running and recording its game: this one keeps no record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serving on %1 port %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off: it could not start on %1 port %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The live feed could not start on %1 port %2: %3.
It stays off; choose another port or address with F6.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The live feed&apos;s settings could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last game&apos;s record could not be read; it is kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begin the match? The game under way is closed and kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a new game? The game under way is closed and kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event&apos;s schedule could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last event, %1, cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No match is left to play on this field.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No event is open: import the day&apos;s schedule with F7.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next match&apos;s format, &quot;%1&quot;, is not on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begin the next match, %1 – %2? The game under way is closed and kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The team names could not be saved to %1. They apply until the program is closed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmAudience</name>
    <message>
        <source>Vantrell audience display</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
    <message>
        <source>Choose Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reset shot clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start/stop shot clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDisplays</name>
    <message>
        <source>%1, with this board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audience display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The board without the selection, the pointer or any window, full screen on a projector or a TV. F5 turns it on and off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Monitor:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmFormatEdit</name>
    <message>
        <source>Vantrell Match Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short name, on the strip</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrell Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMatch</name>
    <message>
        <source>Copy and edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begin match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrell Match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free: no match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (your own)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free: no match. The board is the board as always, and Begin starts a plain new game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formats</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Time Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scoreboard Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitor Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End of Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shot Clock end:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.gif *.jpg *.jpeg *.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds (*.wav)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. They apply until the program is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Shot Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start/Stop Shot Clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmRecord</name>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New game...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrell Game Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game sheet (PDF)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the game as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be written.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This game has no record yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the game sheet as PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game sheet could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a new game? This game is closed and kept; the board goes back to the game length, 2:00 and 0 to 0.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Vantrell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by Orvalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
