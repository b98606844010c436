# Lists a TextGrid as Praat reads it: each labelled interval of its interval tiers and each point
# of its point tiers, a line each: tier, label, start and end (a point: its time twice), in
# seconds with one decimal. Run as: praat --run list_textgrid.praat FILE
form List a TextGrid
    sentence File
endform
grid = Read from file: file$
tiers = Get number of tiers
for tier from 1 to tiers
    name$ = Get tier name: tier
    isInterval = Is interval tier: tier
    if isInterval
        intervals = Get number of intervals: tier
        for i from 1 to intervals
            label$ = Get label of interval: tier, i
            if label$ <> ""
                start = Get start time of interval: tier, i
                end = Get end time of interval: tier, i
                appendInfoLine: name$, tab$, label$, tab$, fixed$(start, 1), tab$, fixed$(end, 1)
            endif
        endfor
    else
        points = Get number of points: tier
        for i from 1 to points
            label$ = Get label of point: tier, i
            time = Get time of point: tier, i
            appendInfoLine: name$, tab$, label$, tab$, fixed$(time, 1), tab$, fixed$(time, 1)
        endfor
    endif
endfor
