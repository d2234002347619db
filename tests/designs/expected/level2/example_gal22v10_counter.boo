AR = RESET
				; 1 
SP = SET
				; 1 
Q0 :=  /LD_N & D0 +
		EN & LD_N &  /Q0 +
		 /EN & LD_N & Q0
				; 3 
Q1 :=  /LD_N & D1 +
		 /EN & LD_N & Q1 +
		UP & LD_N &  /Q0 & Q1 +
		UP & EN & LD_N & Q0 &  /Q1 +
		 /UP & LD_N & Q0 & Q1 +
		 /UP & EN & LD_N &  /Q0 &  /Q1
				; 6 
Q2 :=  /LD_N & D2 +
		 /EN & LD_N & Q2 +
		UP & LD_N &  /Q1 & Q2 +
		UP & LD_N &  /Q0 & Q2 +
		UP & EN & LD_N & Q0 & Q1 &  /Q2 +
		 /UP & LD_N & Q1 & Q2 +
		 /UP & LD_N & Q0 & Q2 +
		 /UP & EN & LD_N &  /Q0 &  /Q1 &  /Q2
				; 8 
Q3 :=  /LD_N & D3 +
		 /EN & LD_N & Q3 +
		UP & LD_N &  /Q2 & Q3 +
		UP & LD_N &  /Q1 & Q3 +
		UP & LD_N &  /Q0 & Q3 +
		UP & EN & LD_N & Q0 & Q1 & Q2 &  /Q3 +
		 /UP & LD_N & Q2 & Q3 +
		 /UP & LD_N & Q1 & Q3 +
		 /UP & LD_N & Q0 & Q3 +
		 /UP & EN & LD_N &  /Q0 &  /Q1 &  /Q2 &  /Q3
				; 10 
Q0.TRST =  /OE_N
				; 1 
Q1.TRST =  /OE_N
				; 1 
Q2.TRST =  /OE_N
				; 1 
Q3.TRST =  /OE_N
				; 1 
ZERO =  /Q0 &  /Q1 &  /Q2 &  /Q3
				; 1 
TC = UP & EN & Q0 & Q1 & Q2 & Q3 +
		 /UP & EN &  /Q0 &  /Q1 &  /Q2 &  /Q3
				; 2 


$__SYMTAB_INFO:
Design_Name: updown
Gal_Type: 2
Gal_Mode: 4
Clk_Pin: 1
User_ID: UPDN4

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: RESET Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: SET Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: UP Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: EN Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: LD_N Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D3 Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: OE_N Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q0 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q3 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: ZERO Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: TC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 21 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 23 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 25 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 26 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 1
